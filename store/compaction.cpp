#include "store/compaction.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
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
        step(Step::Check);
        {
            // quick_check reads every page of the copy (its structure, records and NOT NULL
            // columns); it leaves out matching each index against its table, which the copy has
            // just rebuilt from the table and which costs more than the copy itself.
            Db db(temp, SQLITE_OPEN_READONLY);
            sqlite3_stmt* st = nullptr;
            QString result;
            if (sqlite3_prepare_v2(db.db, "PRAGMA quick_check", -1, &st, nullptr) == SQLITE_OK &&
                sqlite3_step(st) == SQLITE_ROW)
                result =
                    QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
            sqlite3_finalize(st);
            if (result != QLatin1String("ok"))
                throw DbError(dberr::kNotCatalogue,
                              QStringLiteral("la copia compactada está dañada: ") + result);
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
