// The program as a person sees it: every text whole on every screen, the display zoom, the
// window's minimum size, Spanish standard dialogs, the wheel over the panel and Enter on buttons.
// Run at QT_SCALE_FACTOR 1 and 2 (CTest runs it twice).
#include <QFileDialog>
#include <QListWidget>
#include <QPrintDialog>
#include <QPrinter>
#include <QWheelEvent>

#include "browse/click_label.h"
#include "shell/form_solapas.h"
#include "shell/windowing/appearance.h"
#include "shell/windowing/dialogs.h"
#include "tests/look_fit.h"
#include "tests/record_screens.h"

namespace {

void showScreen(FormMdi& mdi, int n) {
    FormSolapas& nav = mdi.solapas();
    nav.OcultarFormulario();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    nav.MostrarFormulario(n);
    if (Screen* s = nav.currentScreen(); s && n > 0) s->Carga();
}

// Sets the client area to w × h pixels.
void setClientPixels(FormMdi& mdi, int w, int h) {
    mdi.resize(mdi.size() + (QSize(w, h) - mdi.client()->size()));
}

// Ticks every field of a listing screen and lists.
void listEverything(Screen* s) {
    auto* list = s->findChild<QListWidget*>(QStringLiteral("List"));
    if (!list) return;
    for (int i = 0; i < list->count(); ++i) list->item(i)->setCheckState(Qt::Checked);
    if (auto* b = s->findChild<QPushButton*>(QStringLiteral("BtnListar"))) b->click();
}

// What does not fit on the screen shown, and on its reduced or expanded variant.
QStringList unfitOnScreen(FormMdi& mdi, int n) {
    QStringList out;
    Screen* s = mdi.solapas().currentScreen();
    if (!s) return {QStringLiteral("screen %1 not shown").arg(n)};
    const QString name = screens::formName(n);
    for (const QString& p : lookfit::unfit(s)) out << name + QStringLiteral(": ") + p;
    if (auto* toggle = s->findChild<QLabel*>(QStringLiteral("BtnReducirAmpliar"))) {
        QTest::mouseClick(toggle, Qt::LeftButton);
        for (const QString& p : lookfit::unfit(s))
            out << name + QStringLiteral(" (") + toggle->text() + QStringLiteral("): ") + p;
        QTest::mouseClick(toggle, Qt::LeftButton);
    }
    return out;
}

}  // namespace

class LookTest : public QObject {
    Q_OBJECT
  private slots:
    void everyTextFits();
    void zoomScalesGeometryAndType();
    void windowKeepsScreenAndPanelInReach();
    void standardDialogsSpeakSpanish();
    void wheelNeverSwitchesScreens();
    void enterPressesFocusedButton();
    void ownFont();
    void tabWalksTopToBottom_data();
    void tabWalksTopToBottom();
    void actingCaptionsShowAHand();
};

void LookTest::everyTextFits() {
    TempApp app;
    for (int g = 0; g < registers::kCount; ++g)
        rs::insertRecord(app, g, QStringLiteral("Muestra"), QString::fromUtf8("Notas ñ"), {});
    FormMdi& mdi = app.enter();
    QStringList problems;
    // The panel with every strip shown in turn, as the user opens them.
    auto panel = [&] {
        for (const QString& p : lookfit::unfit(&mdi.solapas()))
            if (!problems.contains("FormSolapas: " + p)) problems << "FormSolapas: " + p;
    };
    for (int group = 0; group < 2; ++group) {
        rs::clickTab(mdi, QStringLiteral("TabNivel1"), group);
        for (int op = 0; op < 4; ++op) {
            rs::clickTab(mdi, QStringLiteral("TabRegistros%1").arg(group + 1), op);
            panel();
        }
    }
    rs::clickTab(mdi, QStringLiteral("TabNivel1"), 3);
    panel();
    for (int n = 1; n <= 68; ++n) {
        showScreen(mdi, n);
        if (n >= 22 && n <= 56 && screens::formName(n).contains(QStringLiteral("Lis")))
            listEverything(mdi.solapas().currentScreen());
        problems << unfitOnScreen(mdi, n);
    }
    // The same walk in a window of 1920 × 1080 pixels, at the zoom that fills it.
    setClientPixels(mdi, 1920, 1040);
    QVERIFY(twips::zoom() > 1.7);
    for (int n : {1, 2, 6, 7, 8, 15, 16, 21, 22, 28, 57, 60}) {
        showScreen(mdi, n);
        if (screens::formName(n).contains(QStringLiteral("Lis")))
            listEverything(mdi.solapas().currentScreen());
        for (const QString& p : unfitOnScreen(mdi, n)) problems << QStringLiteral("zoom: ") + p;
    }
    TempApp splashApp;
    FormMdi& first = splashApp.start();
    for (const QString& p : lookfit::unfit(first.solapas().loadedScreen(0)))
        problems << "FormPresentacion: " + p;
    for (const QString& p : std::as_const(problems)) qWarning("%s", qPrintable(p));
    QVERIFY2(problems.isEmpty(),
             qPrintable(QStringLiteral("%1 texts do not fit").arg(problems.size())));
}

void LookTest::zoomScalesGeometryAndType() {
    TempApp app;
    FormMdi& mdi = app.enter();
    Screen* s = mdi.solapas().currentScreen();
    auto* box = s->findChild<QLineEdit*>(QStringLiteral("TxtApellidos"));
    QVERIFY(box);
    const QRect at1 = box->geometry();
    const int font1 = box->font().pixelSize();
    QCOMPARE(twips::zoom(), 1.0);
    setClientPixels(mdi, 2 * 792, 2 * 573);
    QCOMPARE(twips::zoom(), 2.0);
    QCOMPARE(box->geometry(), QRect(2 * at1.x(), 2 * at1.y(), 2 * at1.width(), 2 * at1.height()));
    QCOMPARE(box->font().pixelSize(), 2 * font1);
    // The panel grows with the screen and stays beside it; positions stay in twips.
    QCOMPARE(twips::width(&mdi.solapas()), screens::kPanelWidth);
    QCOMPARE(mdi.solapas().geometry().left(), s->geometry().right() + 1);
    QCOMPARE(mdi.solapas().height(), twips::toPixels(screens::kPanelHeight));
    // A screen shown at zoom 2 is built at zoom 2.
    rs::clickTab(mdi, QStringLiteral("TabNivel1"), 2);
    Screen* report = mdi.solapas().currentScreen();
    QCOMPARE(report->width(), 2 * 688);  // 10320 twips
    QVERIFY2(lookfit::unfit(report).isEmpty(), qPrintable(lookfit::unfit(report).join('\n')));
    // Back to the opening size: zoom 1 again, the same pixels as before.
    setClientPixels(mdi, 792, 573);  // 11880 × 8595 twips
    QCOMPARE(twips::zoom(), 1.0);
    rs::clickTab(mdi, QStringLiteral("TabNivel1"), 0);
    s = mdi.solapas().currentScreen();
    box = s->findChild<QLineEdit*>(QStringLiteral("TxtApellidos"));
    QCOMPARE(box->geometry(), at1);
}

void LookTest::windowKeepsScreenAndPanelInReach() {
    TempApp app;
    FormMdi& mdi = app.enter();
    setClientPixels(mdi, 200, 150);
    const QSize least(twips::toPixels(screens::kScreenWidth + screens::kPanelWidth),
                      twips::toPixels(screens::kPanelHeight));
    QVERIFY(mdi.client()->width() >= least.width());
    QVERIFY(mdi.client()->height() >= least.height());
    const QRect client = mdi.client()->rect();
    QVERIFY(client.contains(mdi.solapas().currentScreen()->geometry()));
    QVERIFY(client.contains(mdi.solapas().geometry()));
    QVERIFY(mdi.solapas().isVisible());
}

void LookTest::standardDialogsSpeakSpanish() {
    TempApp app;
    app.enter();
    QStringList buttons;
    dialogs::setMessageHook([&](QMessageBox& box) {
        for (QAbstractButton* b : box.buttons()) buttons << lookfit::plain(b->text());
        return QMessageBox::No;
    });
    app.close(false);
    QCOMPARE(buttons.size(), 2);
    QVERIFY2(buttons.contains(QString::fromUtf8("Sí")), qPrintable(buttons.join(',')));
    QVERIFY2(buttons.contains(QStringLiteral("No")), qPrintable(buttons.join(',')));

    QStringList texts;
    dialogs::setFileHook([&](QFileDialog& d) {
        for (QAbstractButton* b : d.findChildren<QAbstractButton*>())
            texts << lookfit::plain(b->text());
        for (QLabel* l : d.findChildren<QLabel*>()) texts << lookfit::plain(l->text());
        return QString();
    });
    CommonDialog dialog;
    dialog.Filter = QStringLiteral("Imagen|*.jpg");
    dialog.ShowOpen(nullptr);
    QVERIFY2(texts.contains(QStringLiteral("Abrir")), qPrintable(texts.join(',')));
    QVERIFY2(texts.contains(QStringLiteral("Cancelar")), qPrintable(texts.join(',')));
    QVERIFY2(!texts.contains(QStringLiteral("Open")) && !texts.contains(QStringLiteral("Cancel")),
             qPrintable(texts.join(',')));
    QVERIFY2(!texts.contains(QStringLiteral("Look in:")), qPrintable(texts.join(',')));
    dialogs::setFileHook({});

    QPrinter printer;
    QPrintDialog print(&printer);
    QStringList printTexts;
    for (QAbstractButton* b : print.findChildren<QAbstractButton*>())
        printTexts << lookfit::plain(b->text());
    QVERIFY2(printTexts.contains(QStringLiteral("Imprimir")), qPrintable(printTexts.join(',')));
}

void LookTest::wheelNeverSwitchesScreens() {
    TempApp app;
    FormMdi& mdi = app.enter();
    for (const char* name : {"TabNivel1", "TabRegistros1", "TabReg1Mostrar"}) {
        TabStrip* t = mdi.solapas().tabStrip(QLatin1String(name));
        const int before = t->Tab();
        Screen* shown = mdi.solapas().currentScreen();
        const QPointF at = t->tabRect(before).center();
        for (int delta : {-120, 120, -120}) {
            QWheelEvent wheel(at, t->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(t, &wheel);
        }
        QCOMPARE(t->Tab(), before);
        QCOMPARE(mdi.solapas().currentScreen(), shown);
    }
}

void LookTest::enterPressesFocusedButton() {
    TempApp app;
    FormMdi& mdi = app.enter();
    rs::clickTab(mdi, QStringLiteral("TabRegistros1"), 0);
    Screen* s = mdi.solapas().currentScreen();
    QCOMPARE(s->objectName(), QStringLiteral("FormReg1AnaCompositor"));
    rs::type(s, QStringLiteral("TxtApellidos"), QStringLiteral("Bach"));
    auto* guardar = s->findChild<QPushButton*>(QStringLiteral("BtnGuardar"));
    guardar->setFocus();
    QVERIFY(guardar->hasFocus() || !QApplication::focusWidget());
    app.messages.clear();
    QTest::keyClick(guardar, Qt::Key_Return);
    QCOMPARE(rs::count(app, registers::kCompositor), 1);
    QVERIFY(app.messages.texts().contains(mdi.hub().MensaGrabadoBien));
    QTest::keyClick(guardar, Qt::Key_Enter);
    QCOMPARE(rs::count(app, registers::kCompositor), 1);  // the saved entry is not saved twice
}

void LookTest::ownFont() {
    TempApp app;
    FormMdi& mdi = app.enter();
    Screen* s = mdi.solapas().currentScreen();
    QCOMPARE(s->font().family(), appearance::kFontFamily);
    QCOMPARE(s->font().pixelSize(), 11);
    QCOMPARE(QFontInfo(s->font()).family(), appearance::kFontFamily);
}

void LookTest::tabWalksTopToBottom_data() {
    QTest::addColumn<int>("screen");
    for (int n : {8, 12, 14, 22, 28, 38, 52, 60, 64})
        QTest::newRow(qPrintable(screens::formName(n))) << n;
}

void LookTest::tabWalksTopToBottom() {
    QFETCH(int, screen);
    TempApp app;
    FormMdi& mdi = app.enter();
    showScreen(mdi, screen);
    Screen* s = mdi.solapas().currentScreen();
    QList<QWidget*> stops;
    for (QWidget* w : s->findChildren<QWidget*>())
        if ((w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus) stops << w;
    QVERIFY(stops.size() >= 2);
    // Walk the chain from the first control and keep the screen's own stops, in order.
    QList<QWidget*> chain;
    QWidget* x = stops.first();
    do {
        if (stops.contains(x) && !chain.contains(x)) chain << x;
        x = x->nextInFocusChain();
    } while (x != stops.first() && chain.size() < stops.size());
    QCOMPARE(chain.size(), stops.size());
    while (chain.first() != stops.first()) chain.move(0, chain.size() - 1);
    const int row = twips::toPixels(120);
    int turns = 0;  // the walk goes back to the top once at most (where it started)
    for (int i = 1; i < chain.size(); ++i) {
        const QWidget *a = chain[i - 1], *b = chain[i];
        if (a->parentWidget() != b->parentWidget()) continue;
        const QRect ra = a->geometry(), rb = b->geometry();
        const bool sameRow = qAbs(ra.top() - rb.top()) < row;
        const bool forward = sameRow ? rb.left() > ra.left() : rb.top() > ra.top();
        if (!forward) ++turns;
        QVERIFY2(turns <= 1, qPrintable(a->objectName() + " -> " + b->objectName()));
    }
}

void LookTest::actingCaptionsShowAHand() {
    TempApp app;
    FormMdi& mdi = app.enter();
    for (int n : {7, 15, 21}) {
        showScreen(mdi, n);
        const QList<ClickLabel*> acting =
            mdi.solapas().currentScreen()->findChildren<ClickLabel*>();
        QVERIFY(!acting.isEmpty());
        for (ClickLabel* l : acting)
            QVERIFY2(l->cursor().shape() == Qt::PointingHandCursor, qPrintable(l->objectName()));
    }
}

QTEST_MAIN(LookTest)
#include "test_look.moc"
