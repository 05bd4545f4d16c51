#include "store/compaction.h"

#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <atomic>
#include <cstdio>
#include <new>
#include <thread>

#include "store/engine.h"
#include "store/file_sync.h"
#include "store/index_check.h"
#include "store/jet_dialect.h"

namespace compaction {
namespace {

std::function<void(Step)>& hook() {
    static std::function<void(Step)> h;
    return h;
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
        // One thread uses the connection: no locking around each call into the engine.
        int rc =
            sqlite3_open_v2(path.toUtf8().constData(), &db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
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

// An index rebuilt from its table matches it by construction, and a unique one refuses repeated
// keys: a refusal there is damage of the catalogue, any other failure the engine's own.
void rebuildIndex(sqlite3* db, const QString& name) {
    char* err = nullptr;
    const int rc =
        sqlite3_exec(db, (QStringLiteral("REINDEX ") + jet::quoteName(name)).toUtf8().constData(),
                     nullptr, nullptr, &err);
    if (rc == SQLITE_OK) return;
    const QString m = QString::fromUtf8(err ? err : sqlite3_errmsg(db));
    sqlite3_free(err);
    const int code = rc & 0xFF;
    throw DbError(code == SQLITE_CONSTRAINT || code == SQLITE_CORRUPT ? dberr::kNotCatalogue
                                                                      : errorNumberFor(rc, m),
                  m);
}

struct CheckOutcome {
    QStringList damaged;  // the indexes to rebuild in the copy
    int number = 0;       // or the error that stops the compaction
    QString detail;
};

CheckOutcome checkIndexes(const QString& path, const std::atomic<bool>* stop) {
    CheckOutcome out;
    try {
        Db db(path, SQLITE_OPEN_READONLY);
        const std::function<bool()> keepGoing = [stop] { return !stop->load(); };
        checkProgress(db.db, &keepGoing);
        out.damaged = indexcheck::indexesToRebuild(db.db);
    } catch (const DbError& e) {
        out.number = e.number;
        out.detail = e.detail;
    } catch (const std::bad_alloc&) {
        out.number = dberr::kOutOfMemory;
    }
    return out;
}

}  // namespace

void setStepHook(std::function<void(Step)> h) {
    hook() = std::move(h);
}

int compactar(const QString& folder, QString* detail, const std::function<bool()>& keepGoing) {
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
        // The catalogue is checked while it is copied, on a connection and a core of its own: the
        // copy keeps each index entry for entry, so what the check finds there is in the copy.
        CheckOutcome checked;
        std::atomic<bool> stopCheck{false};
        std::thread checker([&] { checked = checkIndexes(source, &stopCheck); });
        struct Join {  // a copy that fails or is cancelled stops the check too
            std::thread& t;
            std::atomic<bool>& stop;
            ~Join() {
                stop = true;
                if (t.joinable()) t.join();
            }
        } join{checker, stopCheck};
        {
            Db db(source, SQLITE_OPEN_READONLY);
            checkProgress(db.db, &keepGoing);
            run(db.db, QStringLiteral("VACUUM INTO ") + jet::quote(temp));
        }
        step(Step::Check);
        checker.join();
        if (checked.number) throw DbError(checked.number, checked.detail);
        step(Step::Rebuild);
        if (!checked.damaged.isEmpty()) {
            Db db(temp, SQLITE_OPEN_READWRITE);
            checkProgress(db.db, &keepGoing);
            for (const QString& index : checked.damaged) rebuildIndex(db.db, index);
        }
        filesync::syncPath(temp, false);
        step(Step::Replace);
        if (std::rename(QFile::encodeName(temp).constData(),
                        QFile::encodeName(source).constData()) != 0)
            throw DbError(dberr::kDiskError, QStringLiteral("no se puede reemplazar ") + source);
        filesync::syncPath(home, true);
        return 0;
    } catch (const DbError& e) {
        QFile::remove(temp);
        if (detail) *detail = e.detail;
        return e.number;
    }
}

}  // namespace compaction
