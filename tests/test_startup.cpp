// Start-up, the catalogue file checks, and shutdown with compaction.
#include <QFile>

#include "shell/form_mdi.h"
#include "shell/form_solapas.h"
#include "shell/windowing/screen.h"
#include "store/compaction.h"
#include "store/data_hub.h"
#include "store/engine.h"
#include "store/schema.h"
#include "tests/fixture.h"

class StartupTest : public QObject {
    Q_OBJECT
  private slots:
    void missingCatalogue_data();
    void missingCatalogue();
    void startsOnSplash();
    void entrarOpensComposerShowScreen();
    void closeNoLeavesBytesUnchanged();
    void closeYesCompacts();
};

void StartupTest::missingCatalogue_data() {
    QTest::addColumn<QString>("present");
    QTest::newRow("absent") << QString();
    QTest::newRow("other letter case") << QStringLiteral("dataormelia.mdb");
    QTest::newRow("upper case") << QStringLiteral("DATAORMELIA.MDB");
}

void StartupTest::missingCatalogue() {
    QFETCH(QString, present);
    TempApp app(false);
    if (!present.isEmpty()) QVERIFY(schema::createEmpty(app.folder() + "/" + present).isEmpty());
    FormMdi mdi(app.folder());
    QVERIFY(!mdi.Load());
    QCOMPARE(app.messages.shown.size(), size_t(1));
    QCOMPARE(app.messages.shown[0].text, "No se encuentra: " + app.folder() + "/DataOrmelia.mdb");
    QCOMPARE(app.messages.shown[0].icon, QMessageBox::Critical);
    QVERIFY(!mdi.isVisible());
    QVERIFY(!mdi.solapas().loadedScreen(0));
}

void StartupTest::startsOnSplash() {
    TempApp app;
    FormMdi& mdi = app.start();
    QVERIFY(mdi.isVisible());
    QCOMPARE(mdi.windowTitle(), QStringLiteral("  Tarvenic   - Ormelia -"));
    QCOMPARE(mdi.VentanaMostrandose, qint16(0));
    Screen* splash = mdi.solapas().loadedScreen(0);
    QVERIFY(splash);
    QCOMPARE(splash->objectName(), QStringLiteral("FormPresentacion"));
    QVERIFY(!mdi.solapas().isVisible());
    QVERIFY(app.messages.shown.empty());
}

void StartupTest::entrarOpensComposerShowScreen() {
    TempApp app;
    FormMdi& mdi = app.enter();
    QCOMPARE(mdi.VentanaMostrandose, qint16(15));
    QVERIFY(mdi.findChild<QWidget*>("FormReg1MosCompositor"));
    QVERIFY(!mdi.findChild<QWidget*>("FormPresentacion"));
    QVERIFY(mdi.solapas().isVisible());
}

void StartupTest::closeNoLeavesBytesUnchanged() {
    TempApp app;
    app.insert("Compositor", {{"Nombre", "Johann Sebastian"}, {"Apellidos", "Bach"}});
    QFile f(app.catalogue());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QByteArray before = f.readAll();
    f.close();
    app.enter();
    app.close(false);
    QCOMPARE(app.messages.shown.back().text, FormMdi::kCompactQuestion);
    QCOMPARE(app.messages.shown.back().icon, QMessageBox::Question);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), before);
}

void StartupTest::closeYesCompacts() {
    TempApp app;
    for (int i = 0; i < 50; ++i)
        app.insert("Compositor",
                   {{"Apellidos", QString("A%1").arg(i)}, {"Notas", QString(2000, 'x')}});
    app.exec("DELETE FROM Compositor WHERE Id > 5");
    qint64 before = QFileInfo(app.catalogue()).size();
    app.enter();
    app.close(true);
    QVERIFY(!QFile::exists(app.folder() + "/OrmeliaTemp.mdb"));
    QVERIFY(QFileInfo(app.catalogue()).size() < before);
    QCOMPARE(app.scalar("SELECT count(*) FROM Compositor").toInt(), 5);
    QCOMPARE(app.scalar("PRAGMA user_version").toInt(), schema::kVersion);
    QCOMPARE(app.scalar("PRAGMA application_id").toInt(), schema::kApplicationId);
}

QTEST_MAIN(StartupTest)
#include "test_startup.moc"
