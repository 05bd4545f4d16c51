#include "store/compaction.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <cstdio>

#include "store/engine.h"
#include "store/jet_dialect.h"

namespace compaction {
namespace {

std::function<void(Step)>& hook() {
    static std::function<void(Step)> h;
    return h;
}

void syncPath(const QString& path, bool directory) {
    int fd =
        ::open(QFile::encodeName(path).constData(), directory ? O_RDONLY | O_DIRECTORY : O_RDONLY);
    if (fd < 0) throw DbError(dberr::kDiskError, QStringLiteral("no se puede abrir ") + path);
    int rc = ::fsync(fd);
    ::close(fd);
    if (rc != 0)
        throw DbError(dberr::kDiskError, QStringLiteral("no se puede sincronizar ") + path);
}

void run(sqlite3* db, const QString& sql) {
    char* err = nullptr;
    int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err);
    if (rc != SQLITE_OK) {
        QString m = QString::fromUtf8(err ? err : sqlite3_errmsg(db));
        sqlite3_free(err);
        throw DbError(errorNumberFor(rc, m), m);
    }
}

struct Db {
    sqlite3* db = nullptr;
    Db(const QString& path, int flags) {
        int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr);
        if (rc != SQLITE_OK) {
            QString m = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
            sqlite3_close(db);
            db = nullptr;
            throw DbError(errorNumberFor(rc, m), m);
        }
        jet::install(db);
    }
    ~Db() { sqlite3_close(db); }
};

// The copy keeps every index as the catalogue had it, entry for entry, damage included (an index
// whose entries no longer match its table). Rebuilt from its table, each index matches it by
// construction, and a unique one refuses repeated keys: a refusal there is damage of the
// catalogue, any other failure the engine's own.
void rebuildIndexes(sqlite3* db) {
    // Each index is rebuilt from a scan of its table; reading the copy mapped rather than page by
    // page makes those scans several times cheaper. Only the copy, a file of this run's own, is
    // mapped: a read error there stops the program before the catalogue is touched.
    sqlite3_exec(db, "PRAGMA mmap_size = 2147418112", nullptr, nullptr, nullptr);
    char* err = nullptr;
    const int rc = sqlite3_exec(db, "REINDEX", nullptr, nullptr, &err);
    if (rc == SQLITE_OK) return;
    const QString m = QString::fromUtf8(err ? err : sqlite3_errmsg(db));
    sqlite3_free(err);
    const int code = rc & 0xFF;
    throw DbError(code == SQLITE_CONSTRAINT || code == SQLITE_CORRUPT ? dberr::kNotCatalogue
                                                                      : errorNumberFor(rc, m),
                  m);
}

// quick_check reads every page, record and NOT NULL column of the copy; with the indexes just
// rebuilt, that is all integrity_check would verify, without matching each index against its
// table a second time. Its findings name the damage.
void checkPages(sqlite3* db) {
    sqlite3_stmt* st = nullptr;
    QStringList found;
    if (sqlite3_prepare_v2(db, "PRAGMA quick_check(5)", -1, &st, nullptr) == SQLITE_OK)
        while (sqlite3_step(st) == SQLITE_ROW)
            found << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    if (found != QStringList{QStringLiteral("ok")})
        throw DbError(dberr::kNotCatalogue, found.isEmpty() ? QString::fromUtf8(sqlite3_errmsg(db))
                                                            : found.join(QStringLiteral("; ")));
}

}  // namespace

void setStepHook(std::function<void(Step)> h) {
    hook() = std::move(h);
}

int compactar(const QString& folder, QString* detail) {
    // A catalogue reached through a symbolic link is compacted where the link leads: the copy is
    // written beside that file and renamed over it, so the link stays and keeps reaching it.
    const QString named = folder + QStringLiteral("/DataOrmelia.mdb");
    const QString resolved = QFileInfo(named).canonicalFilePath();
    const QString source = resolved.isEmpty() ? named : resolved;
    const QString home = QFileInfo(source).absolutePath();
    const QString temp = home + QStringLiteral("/OrmeliaTemp.mdb");
    auto step = [](Step s) {
        if (hook()) hook()(s);
    };
    try {
        step(Step::RemoveStale);
        if (QFile::exists(temp) && !QFile::remove(temp))
            throw DbError(dberr::kCannotOpen, QStringLiteral("no se puede borrar ") + temp);
        step(Step::Copy);
        {
            Db db(source, SQLITE_OPEN_READONLY);
            QString target = temp;
            target.replace(QLatin1Char('\''), QLatin1String("''"));
            run(db.db, QStringLiteral("VACUUM INTO '%1'").arg(target));
        }
        step(Step::Rebuild);
        {
            Db db(temp, SQLITE_OPEN_READWRITE);
            rebuildIndexes(db.db);
            step(Step::Check);
            checkPages(db.db);
        }
        syncPath(temp, false);
        step(Step::Replace);
        if (std::rename(QFile::encodeName(temp).constData(),
                        QFile::encodeName(source).constData()) != 0)
            throw DbError(dberr::kDiskError, QStringLiteral("no se puede reemplazar ") + source);
        syncPath(home, true);
        return 0;
    } catch (const DbError& e) {
        QFile::remove(temp);
        if (detail) *detail = e.detail;
        return e.number;
    }
}

}  // namespace compaction
