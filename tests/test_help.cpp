// Help pages, about box, splash and the program's own pictures.
#include <QFontDatabase>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QUrl>

#include "info/help_font.h"
#include "info/help_picture.h"
#include "shell/form_mdi.h"
#include "shell/form_solapas.h"
#include "shell/windowing/picture_box.h"
#include "shell/windowing/screen.h"
#include "shell/windowing/tab_strip.h"
#include "tests/fixture.h"

namespace {

const QColor kHeading(51, 51, 153);

const char* textBoxOf(int page) {
    static const char* const names[] = {
        "TxtAyudaGeneral", "TxtAyudaAN1", "TxtAyudaAN2", "TxtAyudaAN3", "TxtAyudaSE",
        "TxtAyudaME1",     "TxtAyudaME2", "TxtAyudaME3", "TxtAyudaLI1", "TxtAyudaLI2"};
    return names[page - 58];
}

// Shows a screen as the panel does and returns it.
Screen* show(FormMdi& mdi, int number) {
    mdi.solapas().OcultarFormulario();
    mdi.solapas().MostrarFormulario(number);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return mdi.solapas().loadedScreen(number);
}

void clickTab(FormMdi& mdi, const char* strip, int tab) {
    QTabBar* bar = mdi.solapas().tabStrip(QLatin1String(strip));
    QVERIFY2(bar && bar->isVisible(), strip);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void clickButton(Screen* s, const char* name) {
    auto* b = s->findChild<QPushButton*>(QLatin1String(name));
    QVERIFY2(b, name);
    QTest::mouseClick(b, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Whether some fragment of the document holding `term` is bold.
bool boldSomewhere(const QTextDocument* doc, const QString& term) {
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().text().contains(term) &&
                it.fragment().charFormat().fontWeight() >= QFont::Bold)
                return true;
    return false;
}

bool headingColoured(const QTextDocument* doc) {
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().foreground().color() == kHeading &&
                !it.fragment().text().trimmed().isEmpty())
                return true;
    return false;
}

}  // namespace

class HelpTest : public QObject {
    Q_OBJECT
  private slots:
    void pageButtons_data();
    void pageButtons();
    void chaining_data();
    void chaining();
    void topicMemory_data();
    void topicMemory();
    void pageText_data();
    void pageText();
    void termsBold_data();
    void termsBold();
    void helpFontFollowsInstalledFonts();
    void helpFontFallback_data();
    void helpFontFallback();
    void aboutBox();
    void splash();
    void placeholderIsTheProgramsPicture();
    void pictureOfGeneralPagePointsAtPanelTabs();
};

void HelpTest::pageButtons_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("previous");
    QTest::addColumn<bool>("next");
    QTest::newRow("58 general") << 58 << false << false;
    QTest::newRow("59 añadir 1") << 59 << false << true;
    QTest::newRow("60 añadir 2") << 60 << true << true;
    QTest::newRow("61 añadir 3") << 61 << true << false;
    QTest::newRow("62 seleccionar") << 62 << false << false;
    QTest::newRow("63 mostrar 1") << 63 << false << true;
    QTest::newRow("64 mostrar 2") << 64 << true << true;
    QTest::newRow("65 mostrar 3") << 65 << true << false;
    QTest::newRow("66 listar") << 66 << false << true;
    QTest::newRow("67 imprimir") << 67 << true << false;
}

void HelpTest::pageButtons() {
    QFETCH(int, page);
    QFETCH(bool, previous);
    QFETCH(bool, next);
    TempApp app;
    Screen* s = show(app.enter(), page);
    QVERIFY(s);
    QCOMPARE(s->objectName(), screens::formName(page));
    auto* back = s->findChild<QPushButton*>(QStringLiteral("BtnAnterior"));
    auto* fwd = s->findChild<QPushButton*>(QStringLiteral("BtnSiguiente"));
    QCOMPARE(back != nullptr, previous);
    QCOMPARE(fwd != nullptr, next);
    if (back) {
        QCOMPARE(back->text(), QStringLiteral("<<"));
        QCOMPARE(back->toolTip(), QStringLiteral("Anterior"));
        QVERIFY(back->isVisible());
    }
    if (fwd) {
        QCOMPARE(fwd->text(), QStringLiteral(">>"));
        QCOMPARE(fwd->toolTip(), QStringLiteral("Siguiente"));
        QVERIFY(fwd->isVisible());
    }
    QCOMPARE(s->width(), 688);
    QCOMPARE(s->height(), 542);
}

void HelpTest::chaining_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("expected");
    const QString fwd = QStringLiteral("BtnSiguiente"), back = QStringLiteral("BtnAnterior");
    QTest::newRow("59 >>") << 59 << fwd << 60;
    QTest::newRow("60 >>") << 60 << fwd << 61;
    QTest::newRow("60 <<") << 60 << back << 59;
    QTest::newRow("61 <<") << 61 << back << 60;
    QTest::newRow("63 >>") << 63 << fwd << 64;
    QTest::newRow("64 >>") << 64 << fwd << 65;
    QTest::newRow("64 <<") << 64 << back << 63;
    QTest::newRow("65 <<") << 65 << back << 64;
    QTest::newRow("66 >>") << 66 << fwd << 67;
    QTest::newRow("67 <<") << 67 << back << 66;
}

void HelpTest::chaining() {
    QFETCH(int, page);
    QFETCH(QString, button);
    QFETCH(int, expected);
    TempApp app;
    FormMdi& mdi = app.enter();
    Screen* s = show(mdi, page);
    QVERIFY(s);
    clickButton(s, qPrintable(button));
    QCOMPARE(int(mdi.VentanaMostrandose), expected);
    Screen* now = mdi.solapas().loadedScreen(expected);
    QVERIFY(now && now->isVisible());
    QCOMPARE(now->objectName(), screens::formName(expected));
    QVERIFY(!mdi.findChild<QWidget*>(screens::formName(page)));
    QVERIFY(mdi.solapas().isVisible());
}

void HelpTest::topicMemory_data() {
    QTest::addColumn<int>("helpTab");
    QTest::addColumn<int>("forward");
    QTest::addColumn<int>("expected");
    QTest::newRow("añadir, first page") << 1 << 0 << 59;
    QTest::newRow("añadir, page 2") << 1 << 1 << 60;
    QTest::newRow("añadir, page 3") << 1 << 2 << 61;
    QTest::newRow("mostrar, page 3") << 3 << 2 << 65;
    QTest::newRow("mostrar, page 2") << 3 << 1 << 64;
    QTest::newRow("listar, page 2") << 4 << 1 << 67;
}

void HelpTest::topicMemory() {
    QFETCH(int, helpTab);
    QFETCH(int, forward);
    QFETCH(int, expected);
    TempApp app;
    FormMdi& mdi = app.enter();
    clickTab(mdi, "TabNivel1", 3);
    clickTab(mdi, "TabAyuda", helpTab);
    const int first = helpTab == 1 ? 59 : helpTab == 3 ? 63 : 66;
    QCOMPARE(int(mdi.VentanaMostrandose), first);
    for (int i = 0; i < forward; ++i) clickButton(mdi.solapas().currentScreen(), "BtnSiguiente");
    QCOMPARE(int(mdi.VentanaMostrandose), expected);
    // Leave the help for another screen and another topic, then come back.
    clickTab(mdi, "TabAyuda", 0);
    QCOMPARE(int(mdi.VentanaMostrandose), 58);
    clickTab(mdi, "TabNivel1", 0);
    QCOMPARE(int(mdi.VentanaMostrandose), 15);
    clickTab(mdi, "TabNivel1", 3);
    QCOMPARE(int(mdi.VentanaMostrandose), 58);
    clickTab(mdi, "TabAyuda", helpTab);
    QCOMPARE(int(mdi.VentanaMostrandose), expected);
    QVERIFY(mdi.findChild<QWidget*>(screens::formName(expected)));
}

void HelpTest::pageText_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("phrases");
    auto row = [](int page, const char* name, std::initializer_list<const char*> p) {
        QStringList l;
        for (const char* s : p) l << QString::fromUtf8(s);
        QTest::newRow(name) << page << l;
    };
    row(58, "general",
        {"música clásica",
         "14 registros",
         "143 campos",
         "\"Registros I\"",
         "\"Registros II\"",
         "\"Compositor\"",
         "\"http://www.\"",
         "\"Añadir  (Nuevo)\"",
         "\"Seleccionar\"",
         "\"Mostrar - Editar\"",
         "\"Listar - Imprimir\"",
         "independientes",
         "\"Grabación\"",
         "\"Informe\"",
         ".bmp",
         ".gif",
         ".jpg",
         "200 píxeles",
         "14 subcarpetas",
         "automáticamente",
         "ayuda en línea",
         "Ctrl+V",
         "25.000 caracteres",
         "vacíos",
         "MUY IMPORTANTE",
         "\"DataOrmelia.mdb\"",
         "copias de seguridad",
         "no cambie el nombre"});
    row(59, "añadir 1",
        {"campos de texto", "doble click", "\"Guardar\"", "\"Deshacer\"", "\"Eliminar\"", "blanco",
         "\"Debe introducir un IDENTIFICADOR.\"", "tamaño de la imagen", "Ctrl+V", "nuevos",
         "total"});
    row(60, "añadir 2",
        {"\"Orquesta-Grupo-Coro\"", "solo uno", "iluminados", "5 campos", "\"Obra\"", "duraciones",
         "\"Añadir\"", "doble click", "\"Modificar\"", "150", "duración total",
         "\"Ampliar/Reducir\""});
    row(61, "añadir 3",
        {"\"Grabación\"", "seis registros", "\"Mostrar-Editar\"", "selecciones parciales",
         "conjuntos", "\"Notas\"", "\"Guardar\"", "doble click", "\"Eliminar\"",
         "siguen los cambios", "\"Soporte\"", "informativo"});
    row(62, "seleccionar",
        {"\"Nueva\"",
         "\"Campo\"",
         "\"Criterio\"",
         "\"Es Igual a\"",
         "\"Contiene\"",
         "\"No Contiene\"",
         "\"Es Menor que\"",
         "\"Es Mayor que\"",
         "\"Valor del Filtro\"",
         "\"Y\"",
         "\"O\"",
         "20",
         "\"Ascendente\"",
         "\"Descendente\"",
         "\"Histórico\"",
         "\"Aceptar\"",
         "\"Selección Actual\"",
         "izquierda a derecha",
         "\"Todo\"",
         "\"Tiempo Total\"",
         "\"Nº de Movimientos\"",
         "segundos",
         "\"1633\"",
         "\"1768\""});
    row(63, "mostrar 1",
        {"\"Anterior - Siguiente\"", "\"Nº de Orden\"", "\"Reducir/Ampliar\"", "visibles",
         "número de orden", "selección actual"});
    row(64, "mostrar 2",
        {"\"Modificar\"", "bloquea las pestañas", "doble click", "\"Eliminar\"", "identificador",
         "\"Aceptar\"", "\"Cancelar\"", "\"Retorno\"", "solo entonces", "Ctrl+V", "eliminados"});
    row(65, "mostrar 3",
        {"\"Conjuntos\"", "grabaciones", "\"Añadir\"", "10 orquestas", "10 directores",
         "100 intérpretes", "\"Eliminar\"", "\"Retorno\"", "borra el conjunto", "no es un campo",
         "todas sus imágenes"});
    row(66, "listar",
        {"\"Escoger Campos\"", "\"Listar\"", "\"Expandir Filas\"", "\"Zoom 5\"", "una página",
         "columnas", "fila superior", "mayor de 10", "\"Proceso\"", "23 movimientos", "23 líneas",
         "zoom 20"});
    row(67, "imprimir",
        {"\"Imprimir\"", "número de página", "primera página", "filtros", "número de orden",
         "texto completo", "listar antes de imprimir", "orientación", "copias"});
}

void HelpTest::pageText() {
    QFETCH(int, page);
    QFETCH(QStringList, phrases);
    TempApp app;
    Screen* s = show(app.enter(), page);
    QVERIFY(s);
    auto* box = s->findChild<QTextEdit*>(QLatin1String(textBoxOf(page)));
    QVERIFY(box);
    QVERIFY(box->isReadOnly());
    QVERIFY(box->isVisible());
    const QString text = box->toPlainText();
    QVERIFY(text.size() > 200);
    for (const QString& p : phrases) QVERIFY2(text.contains(p), qPrintable(p));
    QVERIFY(headingColoured(box->document()));
    QCOMPARE(box->font().family(), helpFont().family());
}

void HelpTest::termsBold_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("term");
    QTest::newRow("general: Grabación") << 58 << QString::fromUtf8("\"Grabación\"");
    QTest::newRow("general: the catalogue file") << 58 << QStringLiteral("\"DataOrmelia.mdb\"");
    QTest::newRow("general: MUY IMPORTANTE") << 58 << QStringLiteral("MUY IMPORTANTE");
    QTest::newRow("general: F6 to the tabs") << 58 << QStringLiteral("F6");
    QTest::newRow("general: Tab") << 58 << QStringLiteral("Tab");
    QTest::newRow("añadir: Guardar") << 59 << QStringLiteral("\"Guardar\"");
    QTest::newRow("seleccionar: Es Mayor que") << 62 << QStringLiteral("\"Es Mayor que\"");
    QTest::newRow("mostrar: Cancelar") << 64 << QStringLiteral("\"Cancelar\"");
    QTest::newRow("imprimir: Imprimir") << 67 << QStringLiteral("\"Imprimir\"");
}

void HelpTest::termsBold() {
    QFETCH(int, page);
    QFETCH(QString, term);
    TempApp app;
    Screen* s = show(app.enter(), page);
    auto* box = s->findChild<QTextEdit*>(QLatin1String(textBoxOf(page)));
    QVERIFY(box);
    QVERIFY(boldSomewhere(box->document(), term));
}

void HelpTest::helpFontFollowsInstalledFonts() {
    const QStringList families = QFontDatabase::families();
    const QString family = helpFont().family();
    if (families.contains(QStringLiteral("Comic Sans MS")))
        QCOMPARE(family, QStringLiteral("Comic Sans MS"));
    else if (families.contains(QStringLiteral("Comic Neue")))
        QCOMPARE(family, QStringLiteral("Comic Neue"));
    else
        QCOMPARE(family, QApplication::font().family());
    QCOMPARE(helpFont(12).pointSizeF(), 12.0);
}

void HelpTest::helpFontFallback_data() {
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QString>("chosen");  // "" = the application's own font
    QTest::newRow("both") << QStringList{"DejaVu Sans", "Comic Neue", "Comic Sans MS"}
                          << "Comic Sans MS";
    QTest::newRow("Comic Sans MS only") << QStringList{"Comic Sans MS"} << "Comic Sans MS";
    QTest::newRow("look-alike only") << QStringList{"DejaVu Sans", "Comic Neue"} << "Comic Neue";
    QTest::newRow("other spelling") << QStringList{"comic neue"} << "Comic Neue";
    QTest::newRow("neither") << QStringList{"DejaVu Sans", "Comic"} << "";
    QTest::newRow("no fonts") << QStringList{} << "";
}

void HelpTest::helpFontFallback() {
    QFETCH(QStringList, installed);
    QFETCH(QString, chosen);
    QCOMPARE(helpFontFamily(installed), chosen);
}

void HelpTest::aboutBox() {
    TempApp app;
    FormMdi& mdi = app.enter();
    clickTab(mdi, "TabNivel1", 4);
    QCOMPARE(int(mdi.VentanaMostrandose), 68);
    Screen* s = mdi.solapas().loadedScreen(68);
    QVERIFY(s);
    QCOMPARE(s->objectName(), QStringLiteral("FormAcercaDe"));
    auto label = [&](const char* name) {
        auto* l = s->findChild<QLabel*>(QLatin1String(name));
        return l ? l->text() : QStringLiteral("<missing %1>").arg(QLatin1String(name));
    };
    QCOMPARE(label("LabVersion"), QString::fromUtf8("Versión 1.01 ES"));
    QCOMPARE(label("LabVersionEspanol"), QString::fromUtf8("Versión en Español"));
    QCOMPARE(label("LabProducto"), QStringLiteral("Ormelia"));
    // The project's own addresses, on the reserved example domain.
    const QUrl web(label("LabWeb"));
    QVERIFY2(web.isValid() && web.scheme() == QLatin1String("https"), qPrintable(label("LabWeb")));
    QVERIFY2(web.host() == QLatin1String("example.org") ||
                 web.host().endsWith(QLatin1String(".example.org")),
             qPrintable(web.host()));
    const QStringList mail = label("LabEMail").split(QLatin1Char('@'));
    QCOMPARE(mail.size(), 2);
    QVERIFY(!mail[0].isEmpty());
    QCOMPARE(mail[1], QStringLiteral("example.org"));
    QVERIFY(!label("LabTitulo").isEmpty());
    auto* name = s->findChild<QLabel*>(QStringLiteral("LabProducto"));
    auto* version = s->findChild<QLabel*>(QStringLiteral("LabVersion"));
    QVERIFY(name->font().pointSizeF() >= 2 * version->font().pointSizeF());
    auto* logo = s->findChild<QLabel*>(QStringLiteral("ImagenLogoAcercade"));
    QVERIFY(logo && !logo->pixmap().isNull());
    QVERIFY(!s->findChild<QPushButton*>(QStringLiteral("BtnSiguiente")));
}

void HelpTest::splash() {
    TempApp app;
    FormMdi& mdi = app.start();
    Screen* s = mdi.solapas().loadedScreen(0);
    QVERIFY(s);
    for (const char* name : {"ImagenOrquesta", "ImagenLogoOrquesta"}) {
        auto* pic = s->findChild<QLabel*>(QLatin1String(name));
        QVERIFY2(pic && !pic->pixmap().isNull(), name);
    }
    auto* title = s->findChild<QLabel*>(QStringLiteral("LabTitulo"));
    QVERIFY(title);
    QCOMPARE(title->text(), QStringLiteral("- Ormelia -"));
    QVERIFY(s->findChild<QLabel*>(QStringLiteral("LabVersion"))->text() ==
            QString::fromUtf8("Versión en Español"));
    for (const char* name : {"LabProducto", "LabVersionNumero", "LabDerechos"})
        QVERIFY2(!s->findChild<QLabel*>(QLatin1String(name))->text().isEmpty(), name);
    auto* entrar = s->findChild<QLabel*>(QStringLiteral("LabContinuar"));
    QVERIFY(entrar);
    QVERIFY(entrar->text().isEmpty());
    QCOMPARE(entrar->toolTip(), QStringLiteral("     Entrar     "));
    QVERIFY(entrar->testAttribute(Qt::WA_SetCursor));
    QCOMPARE(entrar->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(entrar, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(int(mdi.VentanaMostrandose), 15);
    QVERIFY(!mdi.findChild<QWidget*>(QStringLiteral("FormPresentacion")));
}

void HelpTest::placeholderIsTheProgramsPicture() {
    TempApp app;
    app.start();
    const QImage own(QStringLiteral(":/images/placeholder.png"));
    QVERIFY(!own.isNull());
    QCOMPARE(PictureBox::placeholder().size(), own.size());
    for (const char* name : {":/images/fondo.png", ":/images/logo.png", ":/images/orquesta.png"})
        QVERIFY2(!QImage(QLatin1String(name)).isNull(), name);
}

void HelpTest::pictureOfGeneralPagePointsAtPanelTabs() {
    TempApp app;
    FormMdi& mdi = app.enter();
    clickTab(mdi, "TabNivel1", 3);
    QCOMPARE(int(mdi.VentanaMostrandose), 58);
    Screen* s = mdi.solapas().currentScreen();
    auto* picture = s->findChild<HelpPicture*>(QStringLiteral("ImagenAyuda"));
    QVERIFY(picture && picture->isVisible());
    // Drawn once the switch is over, not during it.
    QVERIFY(!picture->composed());
    QCoreApplication::processEvents();
    QVERIFY(picture->composed());
    const QStringList shown = picture->shownLabels();
    for (const char* tab : {"Registros I", "Registros II", "Informe", "Ayuda", "Acerca de..."})
        QVERIFY2(shown.contains(QLatin1String(tab)), tab);
    const QImage& img = picture->image();
    QCOMPARE(img.size(), picture->size());
    // The labels are drawn in the counters' light yellow.
    int yellow = 0;
    for (int y = 0; y < img.height(); y += 2)
        for (int x = 0; x < img.width(); x += 2)
            if (img.pixelColor(x, y) == QColor(0xFF, 0xFF, 0xC0)) ++yellow;
    QVERIFY(yellow > 200);

    // Parts are found where the real panel has them: the first tab, right of the screen.
    QVector<HelpPart> parts;
    HelpShot shot{15, true, {{"TabNivel1#0", "Registros I"}, {"NoSuchControl", "x"}}};
    const QImage raw = help::renderShot(mdi.context(), shot, &parts);
    QCOMPARE(parts.size(), 1);
    QTabBar* bar = mdi.solapas().tabStrip(QStringLiteral("TabNivel1"));
    const QRect tab = bar->tabRect(0);
    QCOMPARE(parts[0].rect.toRect(),
             QRect(bar->mapTo(&mdi.solapas(), tab.topLeft()) + QPoint(688, 0), tab.size()));
    QCOMPARE(raw.width(), 688 + mdi.solapas().width());
}

QTEST_MAIN(HelpTest)
#include "test_help.moc"
