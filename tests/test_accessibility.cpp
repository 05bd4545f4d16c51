// The program for a person who does not use the mouse or the screen: every control that is typed
// into, pressed or read has a name a screen reader can say, every window carries the program's
// icon, and the keyboard alone reaches the panel (F6, arrows) and every control.
#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTableWidget>

#include "browse/click_label.h"
#include "shell/windowing/appearance.h"
#include "shell/windowing/dialogs.h"
#include "tests/record_screens.h"

namespace {

void showScreen(FormMdi& mdi, int n) {
    FormSolapas& nav = mdi.solapas();
    nav.OcultarFormulario();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    nav.MostrarFormulario(n);
    if (Screen* s = nav.currentScreen(); s && n > 0) s->Carga();
}

QString spoken(QWidget* w, QAccessible::Text t = QAccessible::Name) {
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
    return i ? i->text(t) : QString();
}

bool inside(const QWidget* w, const QMetaObject& kind) {
    for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget())
        if (p->metaObject()->inherits(&kind)) return true;
    return false;
}

// Whether `w` is a control a person types into, presses or reads on its own: not one of the parts
// Qt builds inside another (a scroll area's bars and viewport, a grid's headers, a combo box's
// list), not a decoration (a picture that takes no input).
bool isControl(QWidget* w, QWidget* root) {
    const QWidget* p = w->parentWidget();
    if (inside(w, QComboBox::staticMetaObject) || qobject_cast<const QAbstractScrollArea*>(p))
        return false;
    if (qobject_cast<QScrollBar*>(w) && p && qobject_cast<QAbstractScrollArea*>(p->parentWidget()))
        return false;
    if (qobject_cast<PictureBox*>(w))
        return w->isVisibleTo(root) && !w->testAttribute(Qt::WA_TransparentForMouseEvents);
    return qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
           qobject_cast<QTextEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
           qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractItemView*>(w) ||
           qobject_cast<QAbstractSlider*>(w) || qobject_cast<QProgressBar*>(w) ||
           qobject_cast<QTabBar*>(w) || qobject_cast<ClickLabel*>(w);
}

// The controls under `root` a screen reader would say nothing for, as "Screen: name (class)".
QStringList unnamed(QWidget* root) {
    QStringList out;
    for (QWidget* w : root->findChildren<QWidget*>())
        if (isControl(w, root) && spoken(w).trimmed().isEmpty())
            out << QStringLiteral("%1: %2 (%3)")
                       .arg(root->objectName(), w->objectName(),
                            QLatin1String(w->metaObject()->className()));
    return out;
}

// Ticks every field of a listing screen and lists.
void listEverything(Screen* s) {
    auto* list = s->findChild<QListWidget*>(QStringLiteral("List"));
    if (!list) return;
    for (int i = 0; i < list->count(); ++i) list->item(i)->setCheckState(Qt::Checked);
    if (auto* b = s->findChild<QPushButton*>(QStringLiteral("BtnListar"))) b->click();
}

// The keyboard alone: every key goes to the control that has the focus, as on the desktop.
QWidget* focused() {
    return QApplication::focusWidget();
}

bool press(int key, Qt::KeyboardModifiers m = Qt::NoModifier) {
    // With no control focused the keys go to the window.
    QWidget* f = focused() ? focused() : QApplication::activeWindow();
    if (!f) return false;
    QTest::keyClick(f, Qt::Key(key), m);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return true;
}

void typeText(const QString& text) {
    QVERIFY(focused());
    rs::keys(focused(), text);
}

// Presses Tab until the control named `name` has the focus; false when Tab never reaches it.
bool tabTo(const QString& name) {
    for (int i = 0; i < 80; ++i) {
        if (focused() && focused()->objectName() == name) return true;
        if (!press(Qt::Key_Tab)) return false;
    }
    return false;
}

// To the operations strip of "Registros I" as a user who sees the focus gets there: F6 when
// the focus is on the screen, then Left or Right to the middle column.
bool toOperations(FormMdi& mdi) {
    if (!mdi.solapas().isAncestorOf(focused()) && !press(Qt::Key_F6)) return false;
    for (int i = 0; i < 2 && focused() && focused()->objectName() != QLatin1String("TabRegistros1");
         ++i)
        press(focused()->objectName() == QLatin1String("TabNivel1") ? Qt::Key_Right : Qt::Key_Left);
    return focused() && focused()->objectName() == QLatin1String("TabRegistros1");
}

int shown(FormMdi& mdi) {
    Screen* s = mdi.solapas().currentScreen();
    return s ? s->number() : -1;
}

}  // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT
  private slots:
    void everyControlOfEveryScreenHasAName();
    void namesComeFromCaptions_data();
    void namesComeFromCaptions();
    void pictureDescribesItsRecord();
    void everyWindowCarriesTheProgramIcon();
    void addSelectAndListWithKeysOnly();
    void panelByKeysRespectsLockedTabs();
};

void AccessibilityTest::everyControlOfEveryScreenHasAName() {
    TempApp app;
    const QString picture = makePicture(app.folder(), QStringLiteral("retrato.png"), 40, 50);
    for (int g = 0; g < registers::kCount; ++g)
        if (g != registers::kGrabacion) rs::insertRecord(app, g, QStringLiteral("Uno"), picture);
    FormMdi& mdi = app.start();
    QStringList problems = unnamed(mdi.solapas().currentScreen());
    rs::clickTab(mdi, QStringLiteral("TabNivel1"), 0);
    problems << unnamed(&mdi.solapas());
    for (int n = 1; n <= 68; ++n) {
        showScreen(mdi, n);
        Screen* s = mdi.solapas().currentScreen();
        QVERIFY(s);
        if (screens::formName(n).contains(QStringLiteral("Lis"))) listEverything(s);
        problems << unnamed(s);
    }
    for (const QString& p : std::as_const(problems)) qWarning("%s", qPrintable(p));
    QVERIFY2(problems.isEmpty(), "controls without a name (above)");
}

void AccessibilityTest::namesComeFromCaptions_data() {
    QTest::addColumn<int>("screen");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::newRow("field box") << 1 << "TxtApellidos"
                               << "Apellidos";
    QTest::newRow("two boxes under one caption") << 1 << "TxtFecha2"
                                                 << "Fecha 2";
    QTest::newRow("work's numbers told apart") << 2 << "TxtNumeroOpus"
                                               << "Nº de Opus";
    QTest::newRow("notes") << 15 << "TxtNotas"
                           << "Notas";
    QTest::newRow("button") << 15 << "BtnModificar"
                            << "Modificar";
    QTest::newRow("scroll bar") << 15 << "HScroll"
                                << "Anterior - Siguiente";
    QTest::newRow("record number") << 15 << "TxtOrden"
                                   << "Orden";
    QTest::newRow("selection value") << 8 << "TxtValFiltro"
                                     << "Introducir Valor";
    QTest::newRow("selection field list") << 8 << "List2"
                                          << "Campos";
}

void AccessibilityTest::namesComeFromCaptions() {
    QFETCH(int, screen);
    QFETCH(QString, control);
    QFETCH(QString, name);
    TempApp app;
    FormMdi& mdi = app.enter();
    showScreen(mdi, screen);
    QWidget* w = rs::w(mdi.solapas().currentScreen(), control);
    QVERIFY(w);
    QCOMPARE(spoken(w), name);
}

void AccessibilityTest::pictureDescribesItsRecord() {
    TempApp app;
    const QString picture = makePicture(app.folder(), QStringLiteral("retrato.png"), 40, 50);
    rs::insertRecord(app, registers::kCompositor, QStringLiteral("Con"), picture);
    rs::insertRecord(app, registers::kCompositor, QStringLiteral("Sin"));
    FormMdi& mdi = app.enter();
    Screen* s = mdi.solapas().currentScreen();
    auto* imagen = rs::w(s, QStringLiteral("Imagen"));
    QCOMPARE(spoken(imagen), mdi.hub().EtiImagen);
    QCOMPARE(spoken(imagen, QAccessible::Description), QStringLiteral("Con Nombre Con Apellidos"));
    rs::w<QScrollBar>(s, QStringLiteral("HScroll"))->setValue(2);
    QCOMPARE(rs::label(s, QStringLiteral("LabNombre")), QStringLiteral("Sin Nombre Sin Apellidos"));
    QCOMPARE(spoken(imagen, QAccessible::Description), mdi.hub().EtiSinImagen);

    // On the entry screen the description follows the picture chosen and the name typed.
    s = rs::open(mdi, registers::kCompositor, 0);
    imagen = rs::w(s, QStringLiteral("Imagen"));
    rs::type(s, QStringLiteral("TxtApellidos"), QStringLiteral("Bach"));
    QCOMPARE(spoken(imagen, QAccessible::Description), mdi.hub().EtiSinImagen);
    rs::choosePicture(app, s, picture);
    QCOMPARE(spoken(imagen, QAccessible::Description), rs::label(s, QStringLiteral("LabNombre")));
    QVERIFY(spoken(imagen, QAccessible::Description).contains(QStringLiteral("Bach")));
    rs::type(s, QStringLiteral("TxtNombre"), QStringLiteral("Johann"));
    QCOMPARE(spoken(imagen, QAccessible::Description), QStringLiteral("Johann Bach"));
    rs::click(s, QStringLiteral("BtnImagenEliminar"));
    QCOMPARE(spoken(imagen, QAccessible::Description), mdi.hub().EtiSinImagen);
}

void AccessibilityTest::everyWindowCarriesTheProgramIcon() {
    TempApp app;
    FormMdi& mdi = app.enter();
    const QImage expected(QStringLiteral(":/images/icono-48.png"));
    QVERIFY(!expected.isNull());
    auto sameIcon = [&](QWidget* w) {
        const QIcon icon = w->windowIcon();
        return icon.pixmap(48).toImage().convertToFormat(expected.format()) == expected &&
               icon.availableSizes().contains(QSize(256, 256)) &&
               icon.availableSizes().contains(QSize(128, 128));
    };
    QVERIFY(sameIcon(&mdi));
    // A message box and the program's own dialog, as they would be shown.
    bool boxIcon = false, dialogIcon = false;
    QStringList dialogProblems;
    dialogs::setMessageHook([&](QMessageBox& box) {
        boxIcon = sameIcon(&box);
        return QMessageBox::Ok;
    });
    dialogs::setDialogHook([&](QDialog& d) {
        dialogIcon = sameIcon(&d);
        dialogProblems = unnamed(&d);
        return int(QDialog::Rejected);
    });
    Screen* s = rs::open(mdi, registers::kCompositor, 0);
    rs::click(s, QStringLiteral("BtnGuardar"));  // no surname: the warning
    const QString csv = app.folder() + QStringLiteral("/c.csv");
    {
        QFile f(csv);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("Nombre,Apellidos\nJohann,Bach\n,\n");
    }
    app.files.choose(csv);
    rs::click(s, QStringLiteral("BtnImportar"));
    dialogs::setMessageHook(nullptr);
    dialogs::setDialogHook(nullptr);
    QVERIFY(boxIcon);
    QVERIFY(dialogIcon);
    QVERIFY2(dialogProblems.isEmpty(), qPrintable(dialogProblems.join(QLatin1Char('\n'))));
}

void AccessibilityTest::addSelectAndListWithKeysOnly() {
    TempApp app;
    rs::insertRecord(app, registers::kCompositor, QStringLiteral("Otro"));
    FormMdi& mdi = app.start();
    mdi.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&mdi));
    QCOMPARE(focused()->objectName(), QStringLiteral("LabContinuar"));
    QVERIFY(press(Qt::Key_Return));
    QCOMPARE(shown(mdi), 15);

    // F6 to the panel, Left to the operations, Up twice: "Añadir" of the composer.
    QVERIFY(press(Qt::Key_F6));
    QCOMPARE(focused()->objectName(), QStringLiteral("TabReg1Mostrar"));
    QVERIFY(press(Qt::Key_Left));
    QCOMPARE(focused()->objectName(), QStringLiteral("TabRegistros1"));
    QVERIFY(press(Qt::Key_Up));
    QCOMPARE(shown(mdi), 8);
    QVERIFY(press(Qt::Key_Up));
    QCOMPARE(shown(mdi), 1);
    QCOMPARE(focused()->objectName(), QStringLiteral("TabRegistros1"));
    // A screen not yet visited is entered at its first box, the picture coming after the fields.
    QVERIFY(press(Qt::Key_F6));
    QCOMPARE(focused()->objectName(), QStringLiteral("TxtNombre"));
    typeText(QStringLiteral("Johann Sebastian"));
    QVERIFY(tabTo(QStringLiteral("TxtApellidos")));
    typeText(QStringLiteral("Bach"));
    QVERIFY(tabTo(QStringLiteral("BtnGuardar")));
    QVERIFY(press(Qt::Key_Return));
    QCOMPARE(app.scalar("SELECT COUNT(*) FROM Compositor WHERE Apellidos = 'Bach'").toInt(), 1);

    // Back to the panel, Down: "Seleccionar"; a filter Apellidos = Bach, accepted.
    QVERIFY(toOperations(mdi));
    QVERIFY(press(Qt::Key_Down));
    QCOMPARE(shown(mdi), 8);
    QVERIFY(press(Qt::Key_F6));
    QVERIFY(tabTo(QStringLiteral("BtnNueva")));
    QVERIFY(press(Qt::Key_Space));
    QVERIFY(tabTo(QStringLiteral("ComboCampo")));
    auto* campo = qobject_cast<QComboBox*>(focused());
    QVERIFY(campo);
    for (int i = 0; i < 10 && campo->currentText() != QStringLiteral("Apellidos"); ++i)
        QVERIFY(press(Qt::Key_Down));
    QCOMPARE(campo->currentText(), QStringLiteral("Apellidos"));
    QVERIFY(tabTo(QStringLiteral("TxtValFiltro")));
    QVERIFY(press(Qt::Key_A, Qt::ControlModifier));
    typeText(QStringLiteral("Bach"));
    QVERIFY(tabTo(QStringLiteral("BtnAnadir")));
    QVERIFY(press(Qt::Key_Return));
    QVERIFY(tabTo(QStringLiteral("BtnAceptar")));
    QVERIFY(press(Qt::Key_Return));
    QCOMPARE(mdi.hub().reg[registers::kCompositor].ContSel, 1);

    // Down twice more: "Listar - Imprimir"; tick "Apellidos" with Space and list.
    QVERIFY(toOperations(mdi));
    QVERIFY(press(Qt::Key_Down));
    QVERIFY(press(Qt::Key_Down));
    QCOMPARE(shown(mdi), 22);
    QVERIFY(press(Qt::Key_F6));
    QVERIFY(tabTo(QStringLiteral("List")));
    auto* list = qobject_cast<QListWidget*>(focused());
    QVERIFY(list);
    QVERIFY(press(Qt::Key_Home));
    QVERIFY(press(Qt::Key_Down));
    QCOMPARE(list->currentItem()->text(), QStringLiteral("Apellidos"));
    QVERIFY(press(Qt::Key_Space));
    QCOMPARE(list->currentItem()->checkState(), Qt::Checked);
    QVERIFY(tabTo(QStringLiteral("BtnListar")));
    QVERIFY(press(Qt::Key_Return));
    auto* tabla = rs::w<QTableWidget>(mdi.solapas().currentScreen(), QStringLiteral("Tabla"));
    QStringList cells;
    for (int r = 0; r < tabla->rowCount(); ++r)
        for (int c = 0; c < tabla->columnCount(); ++c)
            if (QTableWidgetItem* it = tabla->item(r, c)) cells << it->text();
    QVERIFY2(cells.contains(QStringLiteral("Bach")), qPrintable(cells.join(QLatin1Char('|'))));
    QVERIFY(!cells.contains(QStringLiteral("Otro Apellidos")));
}

void AccessibilityTest::panelByKeysRespectsLockedTabs() {
    TempApp app;
    rs::insertRecord(app, registers::kCompositor, QStringLiteral("Uno"));
    FormMdi& mdi = app.enter();
    mdi.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&mdi));
    Screen* s = mdi.solapas().currentScreen();
    // While a record is only viewed Tab passes over its boxes to the buttons.
    QVERIFY(tabTo(QStringLiteral("BtnEliminar")));
    // F6 and F6 again come back to the control left.
    QVERIFY(press(Qt::Key_F6));
    QCOMPARE(focused()->objectName(), QStringLiteral("TabReg1Mostrar"));
    // Right of the innermost strip there is nothing; at its first tab Up stays.
    QVERIFY(press(Qt::Key_Right));
    QCOMPARE(focused()->objectName(), QStringLiteral("TabReg1Mostrar"));
    QVERIFY(press(Qt::Key_Up));
    QCOMPARE(shown(mdi), 15);
    QVERIFY(press(Qt::Key_Left));
    QVERIFY(press(Qt::Key_Left));
    QCOMPARE(focused()->objectName(), QStringLiteral("TabNivel1"));
    QVERIFY(press(Qt::Key_F6));
    QCOMPARE(focused()->objectName(), QStringLiteral("BtnEliminar"));

    // While a modification is pending every strip but help is locked: F6 finds none in reach,
    // and the keys never leave the screen.
    QVERIFY(tabTo(QStringLiteral("BtnModificar")));
    QVERIFY(press(Qt::Key_Return));
    QVERIFY(!mdi.solapas().tabStrip(QStringLiteral("TabReg1Mostrar"))->isEnabled());
    QVERIFY(tabTo(QStringLiteral("TxtNombre")));  // the boxes take Tab again
    QVERIFY(press(Qt::Key_F6));
    QCOMPARE(focused()->objectName(), QStringLiteral("TxtNombre"));
    for (int i = 0; i < 60; ++i) {
        QVERIFY(press(Qt::Key_Tab));
        QVERIFY2(!qobject_cast<TabStrip*>(focused()), qPrintable(focused()->objectName()));
    }
    QCOMPARE(shown(mdi), 15);
    QVERIFY(s->isAncestorOf(focused()) || mdi.solapas().isAncestorOf(focused()));
}

QTEST_MAIN(AccessibilityTest)
#include "test_accessibility.moc"
