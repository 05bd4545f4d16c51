#include "store/schema.h"

#include <sqlite3.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include "store/jet_dialect.h"
#include "store/record_links.h"
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

// Tables of the first version: one per register.
QStringList registerTablesSql() {
    QStringList sql;
    for (const RegisterDef& d : registers::all()) {
        QStringList cols{QStringLiteral("Id INTEGER PRIMARY KEY AUTOINCREMENT")};
        for (const FieldDef& f : d.fields) cols << columnSql(f);
        sql << QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)")
                   .arg(d.table, cols.join(QStringLiteral(", ")));
        sql << indexSql(d);
    }
    return sql;
}

// The columns of a recording's link table after its key: the recording, the place in its set, the
// record linked.
const QStringList& linkColumns() {
    static const QStringList columns{QStringLiteral("GrabacionId"), QStringLiteral("Orden"),
                                     QStringLiteral("RegistroId")};
    return columns;
}

// Version 2: a recording's orchestras, conductors and performers, in order, by record key; the
// indexes that find the recordings using a record; deleting a recording takes its links with
// it, and a record that a recording uses cannot be deleted (the screens refuse it first, with
// a message; this keeps any other path from leaving a recording pointing at nothing).
QStringList version2Sql() {
    QStringList sql;
    const QString g = registers::at(registers::kGrabacion).table;
    for (const char* column : {"CompositorId", "ObraId", "SoporteId"})
        sql << QStringLiteral("CREATE INDEX IF NOT EXISTS idx_%1_%2 ON %1 (%2)")
                   .arg(g, QLatin1String(column));
    QStringList cleanup;
    for (const links::SetTable& t : links::setTables()) {
        QStringList cols{QStringLiteral("Id INTEGER PRIMARY KEY AUTOINCREMENT")};
        for (const QString& c : linkColumns()) cols << c + QStringLiteral(" INTEGER NOT NULL");
        sql << QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)")
                   .arg(t.table, cols.join(QStringLiteral(", ")));
        sql << QStringLiteral(
                   "CREATE INDEX IF NOT EXISTS idx_%1_Grabacion ON %1 (GrabacionId, Orden)")
                   .arg(t.table);
        sql << QStringLiteral("CREATE INDEX IF NOT EXISTS idx_%1_Registro ON %1 (RegistroId)")
                   .arg(t.table);
        cleanup << QStringLiteral("DELETE FROM %1 WHERE GrabacionId = OLD.Id;").arg(t.table);
    }
    sql << QStringLiteral(
               "CREATE TRIGGER IF NOT EXISTS trg_%1_links AFTER DELETE ON %1 BEGIN %2 END")
               .arg(g, cleanup.join(QLatin1Char(' ')));
    for (int r = registers::kCompositor; r <= registers::kSoporte; ++r) {
        const QString table = registers::at(r).table;
        sql << QStringLiteral(
                   "CREATE TRIGGER IF NOT EXISTS trg_%1_in_use BEFORE DELETE ON %1 WHEN (%2) > 0 "
                   "BEGIN SELECT RAISE(ABORT, '%3'); END")
                   .arg(table, links::usingCountSql(r, QStringLiteral("OLD.Id")),
                        QString::fromUtf8(links::kInUseMessage));
    }
    return sql;
}

// The steps from each version to the next; step i leads from version i to i + 1. Version 0 is a
// catalogue written before versions were marked: its tables are those of version 1.
QStringList stepSql(int from) {
    switch (from) {
        case 0:
            return registerTablesSql();
        case 1:
            return version2Sql();
        default:
            return {};
    }
}

// The tables of this version, each with the columns it must have.
QList<QPair<QString, QStringList>> expectedTables() {
    QList<QPair<QString, QStringList>> out;
    for (const RegisterDef& d : registers::all()) {
        QStringList cols{QStringLiteral("Id")};
        for (const FieldDef& f : d.fields) cols << f.column;
        out.append({d.table, cols});
    }
    for (const links::SetTable& t : links::setTables())
        out.append({t.table, QStringList{QStringLiteral("Id")} + linkColumns()});
    return out;
}

QString damaged(const QString& path, const QString& words) {
    return text("El catálogo ") + path + text(" está dañado: no se puede leer su estructura (") +
           words + QStringLiteral(").");
}

// Any statement reads the whole schema first: one the engine cannot read (a damaged entry of
// sqlite_master) is a damaged catalogue, not a missing table. Returns "" or the refusal.
QString unreadableSchema(sqlite3* db, const QString& path) {
    sqlite3_stmt* st = nullptr;
    const bool read = sqlite3_prepare_v2(db, "SELECT count(*) FROM sqlite_master", -1, &st,
                                         nullptr) == SQLITE_OK &&
                      sqlite3_step(st) == SQLITE_ROW;
    const QString words = QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_finalize(st);
    return read ? QString() : damaged(path, words);
}

// Every table of this version with every one of its columns: a table that lacks one (renamed or
// dropped by another tool) would show empty values without a word. Returns "" or the refusal,
// naming the first table or column missing.
QString missingPart(sqlite3* db, const QString& path) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db,
                           "SELECT name FROM pragma_table_info(?1) WHERE EXISTS (SELECT 1 FROM "
                           "sqlite_master WHERE type = 'table' AND name = ?1)",
                           -1, &st, nullptr) != SQLITE_OK)
        return damaged(path, QString::fromUtf8(sqlite3_errmsg(db)));
    QString problem;
    const QString incomplete = text("El catálogo ") + path + text(" está incompleto: ");
    for (const auto& [table, expected] : expectedTables()) {
        const QByteArray name = table.toUtf8();
        sqlite3_reset(st);
        sqlite3_bind_text(st, 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
        QStringList present;
        while (sqlite3_step(st) == SQLITE_ROW)
            present << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        if (present.isEmpty()) {
            problem = incomplete + text("falta la tabla ") + table + QStringLiteral(".");
            break;
        }
        for (const QString& column : expected)
            if (!present.contains(column, Qt::CaseInsensitive)) {
                problem = incomplete + text("falta la columna ") + column + text(" de la tabla ") +
                          table + QStringLiteral(".");
                break;
            }
        if (!problem.isEmpty()) break;
    }
    sqlite3_finalize(st);
    return problem;
}

}  // namespace

QString createScript(int version) {
    QStringList sql;
    for (int v = 0; v < version; ++v) sql << stepSql(v);
    sql << QStringLiteral("PRAGMA application_id = %1").arg(kApplicationId);
    sql << QStringLiteral("PRAGMA user_version = %1").arg(version);
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

QString migrate(sqlite3* db, int from) {
    for (int v = qMax(from, 0); v < kVersion; ++v) {
        for (const QString& statement : stepSql(v)) {
            char* err = nullptr;
            int rc = sqlite3_exec(db, statement.toUtf8().constData(), nullptr, nullptr, &err);
            if (rc != SQLITE_OK) {
                QString problem = QString::fromUtf8(err ? err : sqlite3_errmsg(db));
                sqlite3_free(err);
                return text("paso a la versión %1: ").arg(v + 1) + problem;
            }
        }
    }
    return {};
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
    // The engine writes its journal beside the file (the file a link leads to): in a folder it
    // cannot write to, every save would fail.
    const QString home = QFileInfo(info.canonicalFilePath()).absolutePath();
    if (::access(QFile::encodeName(home).constData(), W_OK) != 0)
        return done(text("La carpeta ") + home + text(" del catálogo ") + path +
                    text(" es de sólo lectura: el programa no puede guardar en ella."));
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
    const QString unreadable = unreadableSchema(db, path);
    if (!unreadable.isEmpty()) return done(unreadable);
    if (version < kVersion) {
        jet::install(db);
        // Every step and the new version number are one transaction: a failure anywhere leaves
        // the catalogue exactly as it was.
        QString problem = migrate(db, version);
        QString bump = QStringLiteral("PRAGMA user_version = %1").arg(kVersion);
        if (problem.isEmpty() &&
            (sqlite3_exec(db, bump.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK ||
             sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK))
            problem = QString::fromUtf8(sqlite3_errmsg(db));
        if (!problem.isEmpty()) {
            sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
            return done(text("No se pudo actualizar el catálogo ") + path + text(": ") + problem);
        }
    } else {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    return done(missingPart(db, path));
}

}  // namespace schema
