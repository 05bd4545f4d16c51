// Screen catalogue, placement and the navigation panel.
#include "shell/form_mdi.h"
#include "shell/form_solapas.h"
#include "shell/windowing/screen.h"
#include "shell/windowing/tab_strip.h"
#include "shell/windowing/twips.h"
#include "store/data_hub.h"
#include "store/record_store.h"
#include "tests/fixture.h"

namespace {

// Resizes the main window so that its client area is w × h twips at zoom 1 (15 to a pixel); the
// window then takes the largest zoom at which the opening client area fits.
void setClient(FormMdi& mdi, int w, int h) {
    QSize want(qRound(w / twips::kPerPixel), qRound(h / twips::kPerPixel));
    mdi.resize(mdi.size() + (want - mdi.client()->size()));
    QCOMPARE(mdi.client()->size(), want);
    const double zoom = qMax(1.0, qMin(w / 11880.0, h / 8595.0));
    QVERIFY(qAbs(twips::zoom() - zoom) < 1e-3);
}

TabStrip* strip(FormMdi& mdi, const char* name) {
    return mdi.solapas().tabStrip(name);
}

}  // namespace

class ShellTest : public QObject {
    Q_OBJECT
  private slots:
    void catalogueNamesAndSizes();
    void clientAreaOpensAtItsSize();
    void placementCentresScreenAndPanel();
    void narrowClientGivesNegativePositions();
    void numberOutsideCatalogue();
    void sameNumberOnlyPlacesAgain();
    void resizeRecentresSplash();
    void screensAreUnloadedNotHidden();
    void panelStartsOnComposerShowScreen();
    void operationTabKeepsRegister();
    void groupsRememberTheirRegister();
    void registerStripsGiveScreenNumbers_data();
    void registerStripsGiveScreenNumbers();
    void helpTabReopensLastPage();
    void reportAndAbout();
    void lockingLeavesOnlyHelp();
};

void ShellTest::catalogueNamesAndSizes() {
    QCOMPARE(screens::formName(0), QString("FormPresentacion"));
    QCOMPARE(screens::formName(1), QString("FormReg1AnaCompositor"));
    QCOMPARE(screens::formName(14), QString("FormReg1SelGrabacion"));
    QCOMPARE(screens::formName(19), QString("FormReg1MosInterprete"));
    QCOMPARE(screens::formName(28), QString("FormReg1LisGrabacion"));
    QCOMPARE(screens::formName(38), QString("FormReg2SelEvento"));
    QCOMPARE(screens::formName(49), QString("FormReg2MosInternet"));
    QCOMPARE(screens::formName(56), QString("FormReg2LisInternet"));
    QCOMPARE(screens::formName(57), QString("FormInforme"));
    QCOMPARE(screens::formName(61), QString("FormAyudaAnadir3"));
    QCOMPARE(screens::formName(67), QString("FormAyudaListar2"));
    QCOMPARE(screens::formName(68), QString("FormAcercaDe"));
    QVERIFY(screens::formName(69).isEmpty());

    TempApp app;
    FormMdi& mdi = app.enter();
    QSet<QString> names;
    for (int n = 0; n <= 68; ++n) {
        mdi.solapas().OcultarFormulario();
        mdi.solapas().MostrarFormulario(n);
        Screen* s = mdi.solapas().loadedScreen(n);
        QVERIFY2(s, qPrintable(QString::number(n)));
        QCOMPARE(s->objectName(), screens::formName(n));
        QCOMPARE(twips::width(s), n == 0 ? 11610.0f : 10320.0f);
        QCOMPARE(twips::height(s), 8130.0f);
        names.insert(s->objectName());
    }
    QCOMPARE(names.size(), 69);
    QCOMPARE(twips::width(&mdi.solapas()), 1290.0f);
    QCOMPARE(twips::height(&mdi.solapas()), 8130.0f);
}

void ShellTest::clientAreaOpensAtItsSize() {
    TempApp app;
    FormMdi& mdi = app.start();
    QCOMPARE(mdi.ScaleWidth(), 11880.0f);
    QCOMPARE(mdi.ScaleHeight(), 8595.0f);
    Screen* splash = mdi.solapas().loadedScreen(0);
    QCOMPARE(twips::left(splash), (11880.0f - 11610.0f) / 2);
    QCOMPARE(twips::top(splash), (8595.0f - 8130.0f) / 2);
}

void ShellTest::placementCentresScreenAndPanel() {
    TempApp app;
    FormMdi& mdi = app.enter();
    setClient(mdi, 12000, 9000);
    Screen* s = mdi.solapas().currentScreen();
    twips::setWidth(s, 8000);
    twips::setWidth(&mdi.solapas(), 3000);
    mdi.solapas().MostrarFormulario(15);
    // The arithmetic is in twips of the zoomed client area.
    const float W = mdi.ScaleWidth(), H = mdi.ScaleHeight();
    QCOMPARE(W, float(800 * 15 / twips::zoom()));
    QCOMPARE(twips::left(s), (W - 11000.0f) / 2);
    QCOMPARE(twips::left(&mdi.solapas()), (W - 11000.0f) / 2 + 8000.0f);
    QCOMPARE(twips::top(s), (H - 8130.0f) / 2);
    QCOMPARE(twips::top(&mdi.solapas()), (H - 8130.0f) / 2);
    // At zoom 1 the same arithmetic as written: a client 12000 wide gives 500 and 8500.
    setClient(mdi, 11880, 8595);
    twips::setWidth(s, 8000);
    twips::setWidth(&mdi.solapas(), 3000);
    mdi.solapas().MostrarFormulario(15);
    QCOMPARE(twips::left(s), (11880.0f - 11000.0f) / 2);
    QCOMPARE(twips::left(&mdi.solapas()), (11880.0f - 11000.0f) / 2 + 8000.0f);
}

void ShellTest::narrowClientGivesNegativePositions() {
    // The window cannot be made narrower than the screen and the panel, so that both stay in
    // reach: at its smallest the row starts at the client's edge.
    TempApp app;
    FormMdi& mdi = app.enter();
    mdi.resize(mdi.size() + (QSize(600, 400) - mdi.client()->size()));
    Screen* s = mdi.solapas().currentScreen();
    QCOMPARE(mdi.ScaleWidth(), 1290.0f + 10320.0f);
    QCOMPARE(mdi.ScaleHeight(), 8130.0f);
    QCOMPARE(twips::left(s), 0.0f);
    QCOMPARE(twips::top(s), 0.0f);
    QCOMPARE(twips::left(&mdi.solapas()), 10320.0f);
    QVERIFY(s->isVisible());
}

void ShellTest::numberOutsideCatalogue() {
    TempApp app;
    FormMdi& mdi = app.enter();
    Screen* before = mdi.solapas().currentScreen();
    mdi.solapas().MostrarFormulario(69);
    QCOMPARE(mdi.VentanaMostrandose, qint16(69));
    QVERIFY(!mdi.solapas().currentScreen());
    mdi.solapas().OcultarFormulario();  // unloads nothing
    QCOMPARE(mdi.solapas().loadedScreen(15), before);
    QVERIFY(before->isVisible());
}

void ShellTest::sameNumberOnlyPlacesAgain() {
    TempApp app;
    FormMdi& mdi = app.enter();
    Screen* s = mdi.solapas().currentScreen();
    twips::setLeft(s, 0);
    mdi.solapas().MostrarFormulario(15);
    QCOMPARE(mdi.solapas().currentScreen(), s);
    QCOMPARE(twips::left(s), (11880.0f - (1290.0f + 10320.0f)) / 2);
}

void ShellTest::resizeRecentresSplash() {
    TempApp app;
    FormMdi& mdi = app.start();
    setClient(mdi, 15000, 12000);
    Screen* splash = mdi.solapas().loadedScreen(0);
    QCOMPARE(mdi.ScaleWidth(), float(1000 * 15 / twips::zoom()));
    QCOMPARE(twips::left(splash), (mdi.ScaleWidth() - 11610.0f) / 2);
    QCOMPARE(twips::top(splash), (mdi.ScaleHeight() - 8130.0f) / 2);
    mdi.showMinimized();
    mdi.showNormal();
    QCOMPARE(twips::left(splash), (mdi.ScaleWidth() - 11610.0f) / 2);
}

void ShellTest::screensAreUnloadedNotHidden() {
    TempApp app;
    FormMdi& mdi = app.enter();
    QPointer<Screen> s15 = mdi.solapas().currentScreen();
    mdi.solapas().OcultarFormulario();
    mdi.solapas().MostrarFormulario(22);
    QVERIFY(!mdi.findChild<QWidget*>("FormReg1MosCompositor"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(s15.isNull());
    mdi.solapas().OcultarFormulario();
    mdi.solapas().MostrarFormulario(15);
    QVERIFY(mdi.solapas().currentScreen() != nullptr);
}

void ShellTest::panelStartsOnComposerShowScreen() {
    TempApp app;
    FormMdi& mdi = app.enter();
    QCOMPARE(strip(mdi, "TabNivel1")->Tab(), 0);
    QCOMPARE(strip(mdi, "TabRegistros1")->Tab(), 2);
    QCOMPARE(strip(mdi, "TabRegistros2")->Tab(), 2);
    for (const char* n : {"TabReg1Anadir", "TabReg1Seleccionar", "TabReg1Mostrar", "TabReg1Listar",
                          "TabReg2Anadir", "TabReg2Seleccionar", "TabReg2Mostrar", "TabReg2Listar"})
        QCOMPARE(strip(mdi, n)->Tab(), 0);
    QCOMPARE(strip(mdi, "TabNivel1")->tabText(4), QString("  Acerca de...   "));
    QCOMPARE(strip(mdi, "TabRegistros1")->tabText(0), QString::fromUtf8("  Añadir  (Nuevo)   "));
    QCOMPARE(strip(mdi, "TabReg1Mostrar")->tabText(2), QString("Orquesta - Grupo "));
    QCOMPARE(strip(mdi, "TabReg2Listar")->tabText(6), QString("http://www. "));
    QCOMPARE(strip(mdi, "TabAyuda")->tabText(3), QString("  Mostrar - Editar   "));
    QCOMPARE(mdi.solapas().SolapaRegistros1(), 0);
    QCOMPARE(mdi.solapas().AyudaAnadir, qint16(59));
    QCOMPARE(mdi.solapas().AyudaMostrar, qint16(63));
    QCOMPARE(mdi.solapas().AyudaListar, qint16(66));
}

void ShellTest::operationTabKeepsRegister() {
    TempApp app;
    FormMdi& mdi = app.enter();
    strip(mdi, "TabRegistros1")->setTab(0);
    QCOMPARE(mdi.VentanaMostrandose, qint16(1));
    strip(mdi, "TabReg1Anadir")->setTab(1);
    QCOMPARE(mdi.VentanaMostrandose, qint16(2));
    strip(mdi, "TabRegistros1")->setTab(3);
    QCOMPARE(mdi.VentanaMostrandose, qint16(23));
    QCOMPARE(strip(mdi, "TabReg1Listar")->Tab(), 1);
    QVERIFY(mdi.findChild<QWidget*>("FormReg1LisObra"));
}

void ShellTest::groupsRememberTheirRegister() {
    TempApp app;
    FormMdi& mdi = app.enter();
    strip(mdi, "TabReg1Mostrar")->setTab(3);  // Director
    QCOMPARE(mdi.VentanaMostrandose, qint16(18));
    strip(mdi, "TabNivel1")->setTab(1);
    QCOMPARE(mdi.VentanaMostrandose, qint16(43));  // group II keeps its own register 0
    strip(mdi, "TabReg2Mostrar")->setTab(5);
    QCOMPARE(mdi.VentanaMostrandose, qint16(48));
    QCOMPARE(mdi.solapas().SolapaRegistros2(), 5);
    strip(mdi, "TabNivel1")->setTab(0);
    QCOMPARE(mdi.VentanaMostrandose, qint16(18));
    QCOMPARE(mdi.solapas().SolapaRegistros1(), 3);
    strip(mdi, "TabNivel1")->setTab(1);
    QCOMPARE(mdi.VentanaMostrandose, qint16(48));
}

void ShellTest::registerStripsGiveScreenNumbers_data() {
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("op");
    QTest::addColumn<int>("reg");
    QTest::addColumn<int>("screen");
    QTest::newRow("I add performer") << 1 << 0 << 4 << 5;
    QTest::newRow("I select recording") << 1 << 1 << 6 << 14;
    QTest::newRow("I show carrier") << 1 << 2 << 5 << 20;
    QTest::newRow("I list recording") << 1 << 3 << 6 << 28;
    QTest::newRow("II add instrument") << 2 << 0 << 0 << 29;
    QTest::newRow("II select event") << 2 << 1 << 2 << 38;
    QTest::newRow("II show web") << 2 << 2 << 6 << 49;
    QTest::newRow("II list broadcaster") << 2 << 3 << 5 << 55;
}

void ShellTest::registerStripsGiveScreenNumbers() {
    QFETCH(int, group);
    QFETCH(int, op);
    QFETCH(int, reg);
    QFETCH(int, screen);
    TempApp app;
    FormMdi& mdi = app.enter();
    strip(mdi, "TabNivel1")->setTab(group - 1);
    strip(mdi, group == 1 ? "TabRegistros1" : "TabRegistros2")->setTab(op);
    static const char* ops[] = {"Anadir", "Seleccionar", "Mostrar", "Listar"};
    strip(mdi, qPrintable(QString("TabReg%1%2").arg(group).arg(ops[op])))->setTab(reg);
    QCOMPARE(int(mdi.VentanaMostrandose), screen);
    QCOMPARE(mdi.solapas().currentScreen()->objectName(), screens::formName(screen));
    QVERIFY(mdi.solapas().isEnabled());
}

void ShellTest::helpTabReopensLastPage() {
    TempApp app;
    FormMdi& mdi = app.enter();
    strip(mdi, "TabNivel1")->setTab(3);
    QCOMPARE(mdi.VentanaMostrandose, qint16(58));
    mdi.solapas().setAyudaAnadir(60);  // what page 2 does when it loads
    strip(mdi, "TabAyuda")->setTab(1);
    QCOMPARE(mdi.VentanaMostrandose, qint16(60));
    strip(mdi, "TabAyuda")->setTab(2);
    QCOMPARE(mdi.VentanaMostrandose, qint16(62));
    strip(mdi, "TabAyuda")->setTab(4);
    QCOMPARE(mdi.VentanaMostrandose, qint16(66));
}

void ShellTest::reportAndAbout() {
    TempApp app;
    FormMdi& mdi = app.enter();
    strip(mdi, "TabNivel1")->setTab(2);
    QCOMPARE(mdi.VentanaMostrandose, qint16(57));
    strip(mdi, "TabNivel1")->setTab(4);
    QCOMPARE(mdi.VentanaMostrandose, qint16(68));
    QVERIFY(mdi.findChild<QWidget*>("FormAcercaDe"));
    QVERIFY(!mdi.findChild<QWidget*>("FormInforme"));
}

void ShellTest::lockingLeavesOnlyHelp() {
    TempApp app;
    FormMdi& mdi = app.enter();
    mdi.store().BloquearSolapas(true);
    for (const char* n : {"TabNivel1", "TabRegistros1", "TabReg1Anadir", "TabReg1Listar",
                          "TabReg1Mostrar", "TabReg1Seleccionar", "TabRegistros2", "TabReg2Anadir",
                          "TabReg2Listar", "TabReg2Mostrar", "TabReg2Seleccionar"})
        QVERIFY2(!strip(mdi, n)->isEnabled(), n);
    QVERIFY(strip(mdi, "TabAyuda")->isEnabled());
    // A locked strip ignores the mouse.
    TabStrip* reg = strip(mdi, "TabReg1Mostrar");
    QTest::mouseClick(reg, Qt::LeftButton, {}, reg->tabRect(3).center());
    QCOMPARE(mdi.VentanaMostrandose, qint16(15));
    mdi.store().BloquearSolapas(false);
    QTest::mouseClick(reg, Qt::LeftButton, {}, reg->tabRect(3).center());
    QCOMPARE(mdi.VentanaMostrandose, qint16(18));
}

QTEST_MAIN(ShellTest)
#include "test_shell.moc"
