// The desktop installation: tools/install.sh into a temporary home, with the program already
// built by this build, its desktop entry checked by desktop-file-validate, its icons, and the
// user's catalogue and copies left alone by a second run and by --quitar.
#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "store/schema.h"
#include "tests/fixture.h"

namespace {

struct Installed {
    QString home, folder;
    QString entry() const {
        return home + QStringLiteral("/.local/share/applications/ormelia.desktop");
    }
    QString icon(int size) const {
        return home +
               QStringLiteral("/.local/share/icons/hicolor/%1x%1/apps/ormelia.png").arg(size);
    }
    QString program() const { return folder + QStringLiteral("/ormelia"); }
    QString catalogue() const { return folder + QStringLiteral("/DataOrmelia.mdb"); }
};

// Runs tools/install.sh with `args` in `home`; returns its exit code (-1 when it did not finish)
// and leaves its output in `*output`.
int runInstall(const Installed& at, const QStringList& args, QString* output) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), at.home);
    env.remove(QStringLiteral("XDG_DATA_HOME"));
    env.insert(QStringLiteral("ORMELIA_INSTALL_BUILD"), qEnvironmentVariable("ORMELIA_TEST_BIN"));
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("bash"),
            QStringList{QStringLiteral(ORMELIA_SOURCE_DIR "/tools/install.sh")} + args);
    if (!p.waitForFinished(120000)) return -1;
    *output = QString::fromLocal8Bit(p.readAll());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

QStringList entryLines(const QString& path) {
    return QString::fromUtf8(bytesOf(path)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

}  // namespace

class InstallTest : public QObject {
    Q_OBJECT
  private slots:
    void installsUpdatesAndRemovesKeepingTheCatalogue();
    void refusesAFolderWithALineBreak();
};

void InstallTest::installsUpdatesAndRemovesKeepingTheCatalogue() {
    const QString validator =
        QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    QVERIFY2(!validator.isEmpty(), "desktop-file-validate is missing (tools/setup.sh installs it)");
    QTemporaryDir tmp;
    // Blanks, quotes and a dollar in the folder: the entry must still name the program exactly.
    const Installed at{tmp.path() + QStringLiteral("/casa"),
                       tmp.path() + QString::fromUtf8("/Mi \"Música\" $HOME")};
    QVERIFY(QDir().mkpath(at.home));
    QString out;
    QCOMPARE(runInstall(at, {at.folder}, &out), 0);

    QVERIFY2(QFileInfo(at.program()).isExecutable(), qPrintable(out));
    QCOMPARE(bytesOf(at.program()),
             bytesOf(qEnvironmentVariable("ORMELIA_TEST_BIN") + QStringLiteral("/ormelia")));
    QVERIFY2(schema::checkAndUpgrade(at.catalogue()).isEmpty(), "the new catalogue is not one");

    QProcess validate;
    validate.setProcessChannelMode(QProcess::MergedChannels);
    validate.start(validator, {at.entry()});
    QVERIFY(validate.waitForFinished(30000));
    QCOMPARE(QString::fromLocal8Bit(validate.readAll()), QString());
    QCOMPARE(validate.exitCode(), 0);
    const QStringList lines = entryLines(at.entry());
    QVERIFY(lines.contains(QStringLiteral("Name=Ormelia")));
    QVERIFY(lines.contains(QStringLiteral("Icon=ormelia")));
    QVERIFY(lines.contains(QStringLiteral("Categories=Office;Database;")));
    QVERIFY(lines.contains(
        QString::fromUtf8("Comment=Catálogo de una colección privada de música clásica")));
    // Exec read back as the desktop reads it: string escapes, then the quoted argument.
    const QString exec = lines.filter(QRegularExpression(QStringLiteral("^Exec="))).value(0);
    QString unescaped = exec.mid(5).replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
    QVERIFY2(unescaped.startsWith(QLatin1Char('"')) && unescaped.endsWith(QLatin1Char('"')),
             qPrintable(exec));
    unescaped = unescaped.mid(1, unescaped.size() - 2);
    unescaped.replace(QRegularExpression(QStringLiteral(R"(\\([\\"`$]))")), QStringLiteral("\\1"));
    QCOMPARE(unescaped, at.program());
    for (int size : {48, 128, 256}) {
        const QImage icon(at.icon(size));
        QVERIFY2(!icon.isNull(), qPrintable(at.icon(size)));
        QCOMPARE(icon.size(), QSize(size, size));
        QVERIFY(icon.hasAlphaChannel());
    }

    // The user's catalogue with a record, and a safety copy beside it.
    QVERIFY(QDir(at.folder).mkdir(QStringLiteral("Copias")));
    const QString copy = at.folder + QStringLiteral("/Copias/DataOrmelia-copia.mdb");
    QVERIFY(QFile::copy(at.catalogue(), copy));
    {
        sqlite3* db = nullptr;
        QCOMPARE(sqlite3_open(at.catalogue().toUtf8().constData(), &db), SQLITE_OK);
        QCOMPARE(
            sqlite3_exec(db, "INSERT INTO Compositor (Nombre, Apellidos) VALUES ('Johann', 'Bach')",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
        sqlite3_close(db);
    }
    const QByteArray catalogue = bytesOf(at.catalogue()), copied = bytesOf(copy);
    QVERIFY(!catalogue.isEmpty());
    // An older program in place is replaced on the second run.
    {
        QFile old(at.program());
        QVERIFY(old.open(QIODevice::WriteOnly | QIODevice::Truncate));
        old.write("#!/bin/sh\n");
    }
    QCOMPARE(runInstall(at, {at.folder}, &out), 0);
    QCOMPARE(bytesOf(at.program()),
             bytesOf(qEnvironmentVariable("ORMELIA_TEST_BIN") + QStringLiteral("/ormelia")));
    QCOMPARE(bytesOf(at.catalogue()), catalogue);
    QCOMPARE(bytesOf(copy), copied);
    QVERIFY(QFileInfo::exists(at.entry()));

    QCOMPARE(runInstall(at, {QStringLiteral("--quitar"), at.folder}, &out), 0);
    QVERIFY(!QFileInfo::exists(at.program()));
    QVERIFY(!QFileInfo::exists(at.entry()));
    for (int size : {48, 128, 256}) QVERIFY(!QFileInfo::exists(at.icon(size)));
    QCOMPARE(bytesOf(at.catalogue()), catalogue);
    QCOMPARE(bytesOf(copy), copied);
}

void InstallTest::refusesAFolderWithALineBreak() {
    QTemporaryDir tmp;
    const Installed at{tmp.path(), tmp.path() + QStringLiteral("/dos\nlíneas")};
    QString out;
    QCOMPARE(runInstall(at, {at.folder}, &out), 2);
    QVERIFY(out.contains(QStringLiteral("saltos de línea")));
    QVERIFY(!QFileInfo::exists(at.folder));
    QVERIFY(!QFileInfo::exists(at.entry()));
}

QTEST_MAIN(InstallTest)
#include "test_install.moc"
