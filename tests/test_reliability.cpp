// The catalogue file in trouble: read-only, locked by another process, a full disk. Each gives a
// clear message, no crash, and leaves the file as it was.
#include <sqlite3.h>
#include <unistd.h>

#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>

#include "shell/form_mdi.h"
#include "store/data_hub.h"
#include "store/engine.h"
#include "store/record_store.h"
#include "store/schema.h"
#include "tests/fixture.h"

namespace {

Campos composer(const QString& apellidos, int notes) {
    Campos c;
    c[0] = {"Nombre", "N"};
    c[1] = {"Apellidos", apellidos};
    c[2] = {"Fecha1", "0"};
    c[3] = {"Fecha2", "0"};
    c[4] = {"Notas", QString(notes, QLatin1Char('n'))};
    c[5] = {"Imagen", ""};
    return c;
}

// Another process that holds the catalogue's write lock until it is killed.
class LockHolder {
  public:
    explicit LockHolder(const QString& file) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("ORMELIA_LOCK_HOLDER", file);
        proc_.setProcessEnvironment(env);
        proc_.start(QCoreApplication::applicationFilePath(), {});
        proc_.waitForReadyRead(10000);
        locked_ = proc_.readAllStandardOutput().startsWith("locked");
    }
    ~LockHolder() {
        proc_.kill();
        proc_.waitForFinished(5000);
    }
    bool locked() const { return locked_; }

  private:
    QProcess proc_;
    bool locked_ = false;
};

int holdLock(const QString& file) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK)
        return 1;
    if (sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) != SQLITE_OK) return 2;
    if (::write(1, "locked\n", 7) < 0) return 3;
    for (;;) ::pause();
}

}  // namespace

class ReliabilityTest : public QObject {
    Q_OBJECT
  private slots:
    void readOnlyCatalogueIsRefused();
    void readOnlyFolderIsRefused_data();
    void readOnlyFolderIsRefused();
    void lockedCatalogueIsRefusedAtStart();
    void lockTakenDuringTheRunFailsTheSaveOnly();
    void fullDiskFailsTheSaveOnly();
};

void ReliabilityTest::readOnlyCatalogueIsRefused() {
    TempApp app;
    app.insert("Compositor", {{"Apellidos", "Sor"}});
    const QByteArray before = bytesOf(app.catalogue());
    const QByteArray path = QFile::encodeName(app.catalogue());
    // As root a mode of 0444 does not stop writes; the immutable flag does.
    QFile::setPermissions(app.catalogue(), QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    const bool immutable =
        geteuid() == 0 && QProcess::execute("chattr", {"+i", app.catalogue()}) == 0;
    if (geteuid() == 0 && !immutable) QSKIP("cannot make a file read-only for root here");
    {
        FormMdi mdi(app.folder());
        const bool started = mdi.Load();
        if (immutable) QProcess::execute("chattr", {"-i", app.catalogue()});
        QVERIFY(!started);
    }
    QFile::setPermissions(app.catalogue(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QCOMPARE(app.messages.shown.size(), size_t(1));
    QVERIFY2(app.messages.shown[0].text.contains(QString::fromUtf8("sólo lectura")),
             qPrintable(app.messages.shown[0].text));
    QVERIFY(app.messages.shown[0].text.contains(app.catalogue()));
    QCOMPARE(bytesOf(app.catalogue()), before);
    Q_UNUSED(path);
}

void ReliabilityTest::readOnlyFolderIsRefused_data() {
    QTest::addColumn<bool>("linked");
    QTest::newRow("catalogue in the folder") << false;
    QTest::newRow("link to a catalogue in a read-only folder") << true;
}

// The engine writes its journal beside the catalogue: in a folder it cannot write to, every save
// would fail, so the catalogue is refused at start, naming the folder. For a link, the folder is
// that of the file it names.
void ReliabilityTest::readOnlyFolderIsRefused() {
    QFETCH(bool, linked);
    TempApp app(!linked);
    QTemporaryDir elsewhere;
    const QString folder = linked ? elsewhere.path() : app.folder();
    const QString file = folder + "/DataOrmelia.mdb";
    if (linked) {
        QVERIFY(schema::createEmpty(file).isEmpty());
        QVERIFY(QFile::link(file, app.catalogue()));
    }
    app.insert("Compositor", {{"Apellidos", "Sor"}});
    const QByteArray before = bytesOf(file);
    const auto writable = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
    QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    // Root ignores a folder's mode; the immutable flag stops it as the mode stops anyone else.
    const bool immutable = geteuid() == 0 && QProcess::execute("chattr", {"+i", folder}) == 0;
    auto restore = qScopeGuard([&] {
        if (immutable) QProcess::execute("chattr", {"-i", folder});
        QFile::setPermissions(folder, writable);
    });
    if (geteuid() == 0 && !immutable) QSKIP("cannot make a folder read-only for root here");
    {
        FormMdi mdi(app.folder());
        QVERIFY(!mdi.Load());
        QVERIFY(!mdi.isVisible());
    }
    restore.dismiss();
    if (immutable) QProcess::execute("chattr", {"-i", folder});
    QFile::setPermissions(folder, writable);
    QCOMPARE(app.messages.shown.size(), size_t(1));
    const ShownMessage& m = app.messages.shown[0];
    QCOMPARE(m.icon, QMessageBox::Critical);
    QCOMPARE(m.text, QString::fromUtf8("La carpeta %1 del catálogo %2 es de sólo lectura: el "
                                       "programa no puede guardar en ella.")
                         .arg(folder, app.catalogue()));
    QCOMPARE(bytesOf(file), before);
    // Writable again, the same catalogue starts.
    FormMdi mdi(app.folder());
    QVERIFY(mdi.Load());
    QCOMPARE(mdi.hub().ContCompositor(), 1);
}

void ReliabilityTest::lockedCatalogueIsRefusedAtStart() {
    TempApp app;
    const QByteArray before = bytesOf(app.catalogue());
    LockHolder other(app.catalogue());
    QVERIFY(other.locked());
    FormMdi mdi(app.folder());
    QVERIFY(!mdi.Load());
    QCOMPARE(app.messages.shown.size(), size_t(1));
    QVERIFY2(app.messages.shown[0].text.contains("bloqueado"),
             qPrintable(app.messages.shown[0].text));
    QCOMPARE(bytesOf(app.catalogue()), before);
}

void ReliabilityTest::lockTakenDuringTheRunFailsTheSaveOnly() {
    TempApp app;
    app.insert("Compositor", {{"Apellidos", "Previo"}});
    FormMdi& mdi = app.start();
    {
        LockHolder other(app.catalogue());
        QVERIFY(other.locked());
        mdi.store().GuardarCampos(0, 6, true, composer("Nuevo", 10));
        QVERIFY(mdi.store().ErrorDatos);
        QCOMPARE(mdi.store().ErrorNumero, 3218);
    }
    mdi.store().ErrorDatos = false;
    // Once the other program lets go the same save goes through.
    mdi.store().GuardarCampos(0, 6, true, composer("Nuevo", 10));
    QVERIFY(!mdi.store().ErrorDatos);
    QCOMPARE(
        app.scalar(
               "SELECT group_concat(Apellidos) FROM (SELECT Apellidos FROM Compositor ORDER BY Id)")
            .toString(),
        QString("Previo,Nuevo"));
}

void ReliabilityTest::fullDiskFailsTheSaveOnly() {
    TempApp app;
    app.insert("Compositor", {{"Apellidos", "Previo"}});
    FormMdi& mdi = app.start();
    auto conn = mdi.hub().Data[0].connection();
    // The file may not grow: every page a long note needs is refused, as on a full disk.
    const int pages = app.scalar("PRAGMA page_count").toInt();
    conn->exec(QString("PRAGMA max_page_count = %1").arg(pages));
    mdi.store().GuardarCampos(0, 6, true, composer("Largo", 25000));
    QVERIFY(mdi.store().ErrorDatos);
    QCOMPARE(mdi.store().ErrorNumero, 3026);
    QCOMPARE(mdi.store().errorText(), QString("Se ha producido el ERROR: 3026"));
    QCOMPARE(
        app.scalar(
               "SELECT group_concat(Apellidos) FROM (SELECT Apellidos FROM Compositor ORDER BY Id)")
            .toString(),
        QString("Previo"));
    QCOMPARE(app.scalar("PRAGMA integrity_check").toString(), QString("ok"));
    mdi.store().ErrorDatos = false;
    conn->exec("PRAGMA max_page_count = 1073741823");
    mdi.store().GuardarCampos(0, 6, true, composer("Largo", 25000));
    QVERIFY(!mdi.store().ErrorDatos);
    QCOMPARE(app.scalar("SELECT count(*) FROM Compositor").toInt(), 2);
}

int main(int argc, char** argv) {
    const QByteArray lockFile = qgetenv("ORMELIA_LOCK_HOLDER");
    if (!lockFile.isEmpty()) return holdLock(QString::fromLocal8Bit(lockFile));
    QApplication app(argc, argv);
    ReliabilityTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_reliability.moc"
