#include "store/schema.h"

#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include "store/jet_dialect.h"
#include "store/registers.h"

namespace schema {
namespace {

QString columnSql(const FieldDef& f) {
    switch (f.kind) {
        case FieldKind::Year:
        case FieldKind::Century:
        case FieldKind::Number:
        case FieldKind::Kind:
            return QStringLiteral("%1 INTEGER NOT NULL DEFAULT 0").arg(f.column);
        case FieldKind::Link:
            return QStringLiteral("%1 INTEGER NOT NULL DEFAULT 0").arg(f.column);
        case FieldKind::Picture:
            return QStringLiteral("%1 TEXT NOT NULL DEFAULT ''").arg(f.column);
        default:
            return QStringLiteral("%1 TEXT NOT NULL DEFAULT '' COLLATE %2")
                .arg(f.column, QLatin1String(jet::kCollation));
    }
}

// Columns that selections sort on get an index, so an ordered selection walks it instead of
// sorting the table.
QStringList indexSql(const RegisterDef& d) {
    QStringList out;
    for (const VocabItem& s : d.sortFields) {
        if (s.column.isEmpty() || d.field(s.column) == nullptr) continue;
        QString name = QStringLiteral("idx_%1_%2").arg(d.table, s.column);
        QString sql =
            QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)").arg(name, d.table, s.column);
        if (!out.contains(sql)) out << sql;
    }
    return out;
}

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

}  // namespace

QString createScript(int version) {
    Q_UNUSED(version);
    QStringList sql;
    for (const RegisterDef& d : registers::all()) {
        QStringList cols{QStringLiteral("Id INTEGER PRIMARY KEY AUTOINCREMENT")};
        for (const FieldDef& f : d.fields) cols << columnSql(f);
        sql << QStringLiteral("CREATE TABLE %1 (%2)").arg(d.table, cols.join(QStringLiteral(", ")));
        sql << indexSql(d);
    }
    sql << QStringLiteral("PRAGMA application_id = %1").arg(kApplicationId);
    sql << QStringLiteral("PRAGMA user_version = %1").arg(kVersion);
    return sql.join(QStringLiteral(";\n")) + QStringLiteral(";\n");
}

QString createEmpty(const QString& path) {
    if (QFileInfo::exists(path)) return text("El archivo ya existe: ") + path;
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(path.toUtf8().constData(), &db,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    QString problem;
    if (rc == SQLITE_OK) {
        jet::install(db);
        QString script = QStringLiteral("PRAGMA journal_mode = DELETE; BEGIN;\n") + createScript() +
                         QStringLiteral("COMMIT;");
        char* err = nullptr;
        rc = sqlite3_exec(db, script.toUtf8().constData(), nullptr, nullptr, &err);
        if (rc != SQLITE_OK) problem = QString::fromUtf8(err ? err : sqlite3_errmsg(db));
        sqlite3_free(err);
    } else {
        problem = QString::fromUtf8(sqlite3_errstr(rc));
    }
    sqlite3_close(db);
    if (!problem.isEmpty()) {
        QFile::remove(path);
        return text("No se pudo crear el catálogo ") + path + QStringLiteral(": ") + problem;
    }
    return {};
}

void migrate(sqlite3* db, int from) {
    Q_UNUSED(db);
    Q_UNUSED(from);
    // Version 1 is the first; later versions add their steps here, each in the transaction the
    // caller opened.
}

QString checkAndUpgrade(const QString& path) {
    QFileInfo info(path);
    if (!info.isFile()) return text("No se encuentra el catálogo: ") + path;
    if (info.size() == 0)
        return text("El archivo ") + path + text(" está vacío: no es un catálogo de Ormelia.");
    {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return text("No se puede leer el archivo ") + path + text(": ") + f.errorString();
        QByteArray head = f.read(16);
        if (head != QByteArray("SQLite format 3\0", 16))
            return text("El archivo ") + path + text(" no es un catálogo de Ormelia.");
    }
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    auto done = [&](const QString& problem) {
        sqlite3_close(db);
        return problem;
    };
    if (rc != SQLITE_OK)
        return done(text("No se puede abrir el catálogo ") + path + text(": ") +
                    QString::fromUtf8(sqlite3_errstr(rc)));
    sqlite3_busy_timeout(db, 250);
    if (sqlite3_db_readonly(db, "main") == 1)
        return done(text("El catálogo ") + path +
                    text(" es de sólo lectura: el programa no puede guardar en él."));
    auto pragma = [&](const char* name, bool* ok) {
        sqlite3_stmt* st = nullptr;
        int value = 0;
        *ok = false;
        if (sqlite3_prepare_v2(db, name, -1, &st, nullptr) == SQLITE_OK &&
            sqlite3_step(st) == SQLITE_ROW) {
            value = sqlite3_column_int(st, 0);
            *ok = true;
        }
        sqlite3_finalize(st);
        return value;
    };
    bool ok = false;
    int appId = pragma("PRAGMA application_id", &ok);
    if (!ok) {
        QString msg = QString::fromUtf8(sqlite3_errmsg(db));
        if (sqlite3_errcode(db) == SQLITE_BUSY || sqlite3_errcode(db) == SQLITE_LOCKED)
            return done(text("El catálogo ") + path + text(" está bloqueado por otro programa."));
        return done(text("El archivo ") + path + text(" no es un catálogo de Ormelia: ") + msg);
    }
    if (appId != kApplicationId)
        return done(text("El archivo ") + path +
                    text(" es una base de datos de otro programa, no un catálogo de Ormelia."));
    int version = pragma("PRAGMA user_version", &ok);
    if (version > kVersion)
        return done(text("El catálogo ") + path +
                    text(" es de una versión más reciente de Ormelia (esquema %1); esta versión "
                         "lee hasta el esquema %2.")
                        .arg(version)
                        .arg(kVersion));
    // A write lock tells whether another process holds the file; it writes nothing.
    rc = sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
        return done(text("El catálogo ") + path + text(" está bloqueado por otro programa."));
    if (rc != SQLITE_OK)
        return done(text("No se puede escribir en el catálogo ") + path + text(": ") +
                    QString::fromUtf8(sqlite3_errmsg(db)));
    if (version < kVersion) {
        jet::install(db);
        migrate(db, version);
        QString bump = QStringLiteral("PRAGMA user_version = %1").arg(kVersion);
        if (sqlite3_exec(db, bump.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK ||
            sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
            QString msg = QString::fromUtf8(sqlite3_errmsg(db));
            sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
            return done(text("No se pudo actualizar el catálogo ") + path + text(": ") + msg);
        }
    } else {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    // Every register table must be there.
    for (const RegisterDef& d : registers::all()) {
        QString q = QStringLiteral("SELECT 1 FROM sqlite_master WHERE type='table' AND name='%1'")
                        .arg(d.table);
        sqlite3_stmt* st = nullptr;
        bool found =
            sqlite3_prepare_v2(db, q.toUtf8().constData(), -1, &st, nullptr) == SQLITE_OK &&
            sqlite3_step(st) == SQLITE_ROW;
        sqlite3_finalize(st);
        if (!found)
            return done(text("El catálogo ") + path + text(" está incompleto: falta la tabla ") +
                        d.table + QStringLiteral("."));
    }
    return done({});
}

}  // namespace schema
