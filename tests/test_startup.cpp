// Start-up, the catalogue file checks, and shutdown with compaction.
#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QProgressDialog>
#include <QRandomGenerator>

#include "shell/form_mdi.h"
#include "shell/form_solapas.h"
#include "shell/windowing/screen.h"
#include "store/compaction.h"
#include "store/data_hub.h"
#include "store/engine.h"
#include "store/record_store.h"
#include "store/schema.h"
#include "tests/fixture.h"

namespace {

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// The surname of the last composer, read straight from a file.
QString lastSurname(const QString& file) {
    sqlite3* db = nullptr;
    QString out;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
            SQLITE_OK &&
        sqlite3_prepare_v2(db, "SELECT Apellidos FROM Compositor ORDER BY Id DESC", -1, &st,
                           nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW)
        out = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    sqlite3_close(db);
    return out;
}

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT
  private slots:
    void missingCatalogue_data();
    void missingCatalogue();
    void notACatalogue_data();
    void notACatalogue();
    void olderCatalogueIsUpgraded();
    void startsOnSplash();
    void entrarOpensComposerShowScreen();
    void closeNoLeavesBytesUnchanged();
    void closeYesCompacts();
    void compactionFailureKeepsCatalogue_data();
    void compactionFailureKeepsCatalogue();
    void compactionCanBeCancelled();
    void staleTemporaryFileIsReplaced();
    void missingColumnIsRefused_data();
    void missingColumnIsRefused();
    void damagedSchemaIsRefused();
    void compactionKeepsASymbolicLink_data();
    void compactionKeepsASymbolicLink();
    void compactionRebuildsADamagedIndex();
    void compactionRefusesDamageItCannotMend_data();
    void compactionRefusesDamageItCannotMend();
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

void StartupTest::notACatalogue_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("expected");
    QTest::newRow("zero bytes") << "empty" << QString::fromUtf8("vacío");
    QTest::newRow("random bytes") << "random" << QString::fromUtf8("no es un catálogo");
    QTest::newRow("text file") << "text" << QString::fromUtf8("no es un catálogo");
    QTest::newRow("other program") << "foreign" << QString::fromUtf8("otro programa");
    QTest::newRow("newer schema") << "newer" << QString::fromUtf8("más reciente");
    QTest::newRow("truncated catalogue") << "truncated" << QString::fromUtf8("catálogo");
}

void StartupTest::notACatalogue() {
    QFETCH(QString, kind);
    QFETCH(QString, expected);
    TempApp app(kind == "newer" || kind == "truncated");
    const QString file = app.catalogue();
    if (kind == "empty") writeBytes(file, {});
    if (kind == "random") {
        QByteArray b(8192, 0);
        for (char& c : b) c = char(QRandomGenerator::global()->bounded(256));
        writeBytes(file, b);
    }
    if (kind == "text") writeBytes(file, "Lista de discos\nBach, Mozart\n");
    if (kind == "foreign") {
        // A database of another program: valid SQLite, none of our marks.
        writeBytes(file, {});
        QFile::remove(file);
        QVERIFY(schema::createEmpty(file).isEmpty());
        app.exec("PRAGMA application_id = 12345");
    }
    if (kind == "newer") app.exec(QString("PRAGMA user_version = %1").arg(schema::kVersion + 1));
    if (kind == "truncated") {
        QByteArray b = bytesOf(file);
        writeBytes(file, b.left(1024));
    }
    const QByteArray before = bytesOf(file);
    {
        FormMdi mdi(app.folder());
        QVERIFY(!mdi.Load());
        QVERIFY(!mdi.isVisible());
    }
    QCOMPARE(app.messages.shown.size(), size_t(1));
    const ShownMessage& m = app.messages.shown[0];
    QCOMPARE(m.icon, QMessageBox::Critical);
    QVERIFY2(m.text.contains(expected), qPrintable(m.text));
    QVERIFY2(m.text.contains(file), qPrintable(m.text));
    QCOMPARE(bytesOf(file), before);
}

void StartupTest::olderCatalogueIsUpgraded() {
    TempApp app;
    app.insert("Compositor", {{"Nombre", "Clara"}, {"Apellidos", "Schumann"}});
    app.exec("PRAGMA user_version = 0");
    FormMdi mdi(app.folder());
    QVERIFY(mdi.Load());
    QCOMPARE(mdi.hub().ContCompositor(), 1);
    QCOMPARE(app.scalar("PRAGMA user_version").toInt(), schema::kVersion);
    QCOMPARE(app.scalar("SELECT Apellidos FROM Compositor").toString(), QString("Schumann"));
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
    auto* entrar = find<QWidget>(splash, "LabContinuar");
    QVERIFY(entrar);
    QCOMPARE(entrar->toolTip(), QStringLiteral("     Entrar     "));
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
    const QByteArray before = bytesOf(app.catalogue());
    app.enter();
    app.close(false);
    QCOMPARE(app.messages.shown.back().text, FormMdi::kCompactQuestion);
    QCOMPARE(app.messages.shown.back().text,
             QString::fromUtf8("¿COMPACTAR la Base de Datos?\r\rRecomendado."));
    QCOMPARE(app.messages.shown.back().icon, QMessageBox::Question);
    QCOMPARE(app.messages.shown.back().buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(bytesOf(app.catalogue()), before);
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
    QCOMPARE(app.messages.shown.size(), size_t(1));
    QVERIFY(!QFile::exists(app.folder() + "/OrmeliaTemp.mdb"));
    QVERIFY(QFileInfo(app.catalogue()).size() < before);
    QCOMPARE(app.scalar("SELECT count(*) FROM Compositor").toInt(), 5);
    QCOMPARE(app.scalar("PRAGMA user_version").toInt(), schema::kVersion);
    QCOMPARE(app.scalar("PRAGMA application_id").toInt(), schema::kApplicationId);
    QCOMPARE(app.scalar("PRAGMA integrity_check").toString(), QString("ok"));
}

void StartupTest::compactionFailureKeepsCatalogue_data() {
    QTest::addColumn<int>("step");
    QTest::newRow("removing a stale copy") << int(compaction::Step::RemoveStale);
    QTest::newRow("copy") << int(compaction::Step::Copy);
    QTest::newRow("rebuilding the indexes") << int(compaction::Step::Rebuild);
    QTest::newRow("check") << int(compaction::Step::Check);
    QTest::newRow("replace") << int(compaction::Step::Replace);
}

void StartupTest::compactionFailureKeepsCatalogue() {
    QFETCH(int, step);
    TempApp app;
    for (int i = 0; i < 20; ++i) app.insert("Compositor", {{"Apellidos", QString("B%1").arg(i)}});
    const QByteArray before = bytesOf(app.catalogue());
    compaction::setStepHook([step](compaction::Step s) {
        if (int(s) == step) throw DbError(dberr::kDiskFull, "disco lleno (simulado)");
    });
    app.enter();
    app.close(true);
    compaction::setStepHook(nullptr);
    QCOMPARE(bytesOf(app.catalogue()), before);
    QVERIFY(!QFile::exists(app.folder() + "/OrmeliaTemp.mdb"));
    QCOMPARE(app.messages.shown.size(), size_t(2));
    QCOMPARE(app.messages.shown[1].icon, QMessageBox::Critical);
    QVERIFY(app.messages.shown[1].text.startsWith("Se ha producido el ERROR: 3026"));
    // The next start works on the untouched catalogue.
    FormMdi mdi(app.folder());
    QVERIFY(mdi.Load());
    QCOMPARE(mdi.hub().ContCompositor(), 20);
}

void StartupTest::staleTemporaryFileIsReplaced() {
    TempApp app;
    app.insert("Compositor", {{"Apellidos", "Vivaldi"}});
    writeBytes(app.folder() + "/OrmeliaTemp.mdb", "restos de una compactación interrumpida");
    app.enter();
    app.close(true);
    QVERIFY(!QFile::exists(app.folder() + "/OrmeliaTemp.mdb"));
    QCOMPARE(app.scalar("SELECT Apellidos FROM Compositor").toString(), QString("Vivaldi"));
}

void StartupTest::missingColumnIsRefused_data() {
    QTest::addColumn<QString>("alter");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    QTest::newRow("renamed") << "ALTER TABLE Compositor RENAME COLUMN Fecha2 TO Muerte"
                             << "Compositor"
                             << "Fecha2";
    QTest::newRow("dropped") << "ALTER TABLE Evento DROP COLUMN Notas"
                             << "Evento"
                             << "Notas";
    QTest::newRow("key renamed") << "ALTER TABLE Internet RENAME COLUMN Id TO Clave"
                                 << "Internet"
                                 << "Id";
    QTest::newRow("link table") << "ALTER TABLE GrabacionDirector RENAME COLUMN Orden TO Puesto"
                                << "GrabacionDirector"
                                << "Orden";
}

// A table that lacks a column would show empty values without a word: it is refused as a
// missing table is, naming both.
void StartupTest::missingColumnIsRefused() {
    QFETCH(QString, alter);
    QFETCH(QString, table);
    QFETCH(QString, column);
    TempApp app;
    app.exec(alter);
    const QByteArray before = bytesOf(app.catalogue());
    {
        FormMdi mdi(app.folder());
        QVERIFY(!mdi.Load());
        QVERIFY(!mdi.isVisible());
    }
    QCOMPARE(app.messages.shown.size(), size_t(1));
    const ShownMessage& m = app.messages.shown[0];
    QCOMPARE(m.icon, QMessageBox::Critical);
    QCOMPARE(m.text, QString::fromUtf8("El catálogo %1 está incompleto: falta la columna %2 de la "
                                       "tabla %3.")
                         .arg(app.catalogue(), column, table));
    QCOMPARE(bytesOf(app.catalogue()), before);
}

// A schema the engine cannot read is a damaged catalogue, not a missing table.
void StartupTest::damagedSchemaIsRefused() {
    TempApp app;
    app.exec(
        "PRAGMA writable_schema = ON; UPDATE sqlite_master SET name = 'idx roto' "
        "WHERE name = 'idx_Compositor_Apellidos'; PRAGMA writable_schema = OFF");
    const QByteArray before = bytesOf(app.catalogue());
    {
        FormMdi mdi(app.folder());
        QVERIFY(!mdi.Load());
    }
    QCOMPARE(app.messages.shown.size(), size_t(1));
    const ShownMessage& m = app.messages.shown[0];
    QCOMPARE(m.icon, QMessageBox::Critical);
    QVERIFY2(
        m.text.startsWith(QString::fromUtf8("El catálogo %1 está dañado").arg(app.catalogue())),
        qPrintable(m.text));
    QVERIFY2(!m.text.contains("falta"), qPrintable(m.text));
    QCOMPARE(bytesOf(app.catalogue()), before);
}

// The compaction shows the progress window of long work; "Cancelar" there stops it, removes the
// copy, leaves the catalogue byte for byte as it was, and says so.
void StartupTest::compactionCanBeCancelled() {
    TempApp app;
    app.exec(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
        "INSERT INTO Compositor (Nombre, Apellidos, Notas) SELECT 'N' || i, 'A' || i, "
        "'nota' FROM n");
    FormMdi& mdi = app.enter();
    // Closing destroys the main window and its hub: their texts are kept first.
    const QString compacting = mdi.hub().MensaCompactando;
    const QString cancelled = mdi.hub().MensaCompactacionCancelada;
    const QByteArray before = bytesOf(app.catalogue());
    QStringList labels;
    {
        ProgressAnswerer answering([&](QProgressDialog& window) {
            labels << window.labelText();
            return true;
        });
        app.close(true);
    }
    QCOMPARE(labels, QStringList{compacting});
    QCOMPARE(bytesOf(app.catalogue()), before);
    QVERIFY(!QFile::exists(app.folder() + "/OrmeliaTemp.mdb"));
    QCOMPARE(app.messages.shown.size(), size_t(2));
    QCOMPARE(app.messages.shown[1].icon, QMessageBox::Information);
    QCOMPARE(app.messages.shown[1].text, cancelled);
}

void StartupTest::compactionKeepsASymbolicLink_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("absolute") << "absolute";
    QTest::newRow("relative") << "relative";
    QTest::newRow("link to a link") << "chain";
}

// A catalogue that is a symbolic link is compacted where the link points; the link stays, so
// later saves still reach that file.
void StartupTest::compactionKeepsASymbolicLink() {
    QFETCH(QString, kind);
    TempApp app(false);
    QTemporaryDir elsewhere;
    const QString real = elsewhere.path() + "/musica.db";
    QVERIFY(schema::createEmpty(real).isEmpty());
    if (kind == "absolute") QVERIFY(QFile::link(real, app.catalogue()));
    if (kind == "relative")
        QVERIFY(QFile::link(QDir(app.folder()).relativeFilePath(real), app.catalogue()));
    if (kind == "chain") {
        QVERIFY(QFile::link(real, elsewhere.path() + "/enlace.db"));
        QVERIFY(QFile::link(elsewhere.path() + "/enlace.db", app.catalogue()));
    }
    for (int i = 0; i < 50; ++i)
        app.insert("Compositor",
                   {{"Apellidos", QString("A%1").arg(i)}, {"Notas", QString(2000, 'x')}});
    app.exec("DELETE FROM Compositor WHERE Id > 5");
    const qint64 before = QFileInfo(real).size();
    const QString target = QFileInfo(app.catalogue()).symLinkTarget();
    app.enter();
    app.close(true);
    QCOMPARE(app.messages.shown.size(), size_t(1));
    QVERIFY(QFileInfo(app.catalogue()).isSymLink());
    QCOMPARE(QFileInfo(app.catalogue()).symLinkTarget(), target);
    QVERIFY(QFileInfo(real).isFile() && !QFileInfo(real).isSymLink());
    QVERIFY(QFileInfo(real).size() < before);
    QVERIFY(!QFile::exists(app.folder() + "/OrmeliaTemp.mdb"));
    QVERIFY(!QFile::exists(elsewhere.path() + "/OrmeliaTemp.mdb"));
    // A later run saves through the link into the compacted file.
    app.messages.clear();
    FormMdi& mdi = app.start();
    Campos c;
    c[0] = {"Apellidos", "Nuevo"};
    mdi.store().GuardarCampos(0, 1, true, c);
    QVERIFY(!mdi.store().ErrorDatos);
    app.close(false);
    QCOMPARE(app.scalar("SELECT count(*) FROM Compositor").toInt(), 6);
    QCOMPARE(lastSurname(real), QString("Nuevo"));
}

// Copying a catalogue keeps its indexes page for page, damage included; the compacted catalogue
// has them rebuilt from the tables and passes the full check.
void StartupTest::compactionRebuildsADamagedIndex() {
    TempApp app;
    for (int i = 0; i < 30; ++i)
        app.insert("Compositor",
                   {{"Nombre", QString("N%1").arg(29 - i)}, {"Apellidos", QString("A%1").arg(i)}});
    // The index's entries were written for another column than the one it now names.
    app.exec(
        "PRAGMA writable_schema = ON; UPDATE sqlite_master SET sql = "
        "'CREATE INDEX idx_Compositor_Apellidos ON Compositor (Nombre)' "
        "WHERE name = 'idx_Compositor_Apellidos'; PRAGMA writable_schema = OFF");
    QCOMPARE(app.scalar("PRAGMA quick_check").toString(), QString("ok"));
    QVERIFY(app.scalar("PRAGMA integrity_check").toString() != "ok");
    app.enter();
    app.close(true);
    QCOMPARE(app.messages.shown.size(), size_t(1));
    QCOMPARE(app.scalar("PRAGMA integrity_check").toString(), QString("ok"));
    QCOMPARE(app.scalar("SELECT count(*) FROM Compositor").toInt(), 30);
    QCOMPARE(app.scalar("SELECT Apellidos FROM Compositor WHERE Nombre = 'N0'").toString(),
             QString("A29"));
}

void StartupTest::compactionRefusesDamageItCannotMend_data() {
    QTest::addColumn<QStringList>("damage");  // each step on a connection of its own
    QTest::addColumn<QString>("named");
    QTest::newRow("empty required field")
        << QStringList{"UPDATE sqlite_master SET sql = replace(sql, 'Apellidos TEXT NOT NULL', "
                       "'Apellidos TEXT') WHERE name = 'Compositor'",
                       "UPDATE Compositor SET Apellidos = NULL WHERE Id = 2",
                       "UPDATE sqlite_master SET sql = replace(sql, 'Apellidos TEXT', "
                       "'Apellidos TEXT NOT NULL') WHERE name = 'Compositor'",
                       "UPDATE Compositor SET Apellidos_clave = ormelia_clave(Apellidos), "
                       "Nombre_clave = ormelia_clave(Nombre) WHERE Id = 2"}
        << "Compositor.Apellidos";
    QTest::newRow("repeated key of a unique index")
        << QStringList{"UPDATE sqlite_master SET sql = 'CREATE UNIQUE INDEX "
                       "idx_Compositor_Apellidos ON Compositor (Nombre)' WHERE name = "
                       "'idx_Compositor_Apellidos'"}
        << "Compositor.Nombre";
}

// Damage a rebuild cannot mend: the compaction is refused, the catalogue stays as it was, and
// the message says what is damaged.
void StartupTest::compactionRefusesDamageItCannotMend() {
    QFETCH(QStringList, damage);
    QFETCH(QString, named);
    TempApp app;
    for (int i = 0; i < 5; ++i)
        app.insert("Compositor", {{"Nombre", "Igual"}, {"Apellidos", QString("A%1").arg(i)}});
    for (const QString& step : damage)
        app.exec("PRAGMA writable_schema = ON; " + step + "; PRAGMA writable_schema = OFF");
    QVERIFY(app.scalar("PRAGMA integrity_check").toString() != "ok");
    const QByteArray before = bytesOf(app.catalogue());
    app.enter();
    app.close(true);
    QCOMPARE(bytesOf(app.catalogue()), before);
    QVERIFY(!QFile::exists(app.folder() + "/OrmeliaTemp.mdb"));
    QCOMPARE(app.messages.shown.size(), size_t(2));
    const ShownMessage& m = app.messages.shown[1];
    QCOMPARE(m.icon, QMessageBox::Critical);
    QVERIFY2(m.text.startsWith("Se ha producido el ERROR: 3343\r\r"), qPrintable(m.text));
    QVERIFY2(m.text.contains(QString::fromUtf8("está dañada")), qPrintable(m.text));
    QVERIFY2(m.text.contains(named), qPrintable(m.text));
    QVERIFY2(m.text.contains(QString::fromUtf8("queda como estaba")), qPrintable(m.text));
}

QTEST_MAIN(StartupTest)
#include "test_startup.moc"
