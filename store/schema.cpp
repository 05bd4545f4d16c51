#include "store/schema.h"

#include <sqlite3.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include "store/engine.h"
#include "store/jet_dialect.h"
#include "store/own_objects.h"
#include "store/record_links.h"
#include "store/registers.h"

namespace schema {
namespace {

// A column as the first two versions declared it: texts under the program's own collation.
QString legacyColumnSql(const FieldDef& f) {
    if (f.isNumeric()) return QStringLiteral("%1 INTEGER NOT NULL DEFAULT 0").arg(f.column);
    if (f.kind == FieldKind::Picture)
        return QStringLiteral("%1 TEXT NOT NULL DEFAULT ''").arg(f.column);
    return QStringLiteral("%1 TEXT NOT NULL DEFAULT '' COLLATE %2")
        .arg(f.column, QLatin1String(jet::kCollation));
}

// Columns that selections sort on got an index, so an ordered selection walks it instead of
// sorting the table.
QStringList legacyIndexSql(const RegisterDef& d) {
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

// A column of this version: plain SQLite types, no collation, so any SQLite tool can read and
// write the file.
QString columnSql(const FieldDef& f) {
    if (f.isNumeric()) return QStringLiteral("%1 INTEGER NOT NULL DEFAULT 0").arg(f.column);
    return QStringLiteral("%1 TEXT NOT NULL DEFAULT ''").arg(f.column);
}

// The condition of a row whose sort keys are out of date: written by another tool, or by a
// write of the program's that has not computed them yet.
QString staleCondition(const RegisterDef& d) {
    QStringList terms;
    for (const QString& c : keyedColumns(d)) terms << keyColumn(c) + QStringLiteral(" IS NULL");
    return terms.join(QStringLiteral(" OR "));
}

// "X_clave = ormelia_clave(X), ..." for every keyed text of a register: its keys computed anew.
QString keyAssignments(const RegisterDef& d) {
    QStringList sets;
    for (const QString& c : keyedColumns(d))
        sets << QStringLiteral("%1 = %2(%3)")
                    .arg(keyColumn(c), QLatin1String(jet::kSortKeyFunction), c);
    return sets.join(QStringLiteral(", "));
}

QString tableSql(const RegisterDef& d, const QString& name) {
    QStringList cols{QStringLiteral("Id INTEGER PRIMARY KEY AUTOINCREMENT")};
    for (const FieldDef& f : d.fields) cols << columnSql(f);
    for (const QString& c : keyedColumns(d)) cols << keyColumn(c) + QStringLiteral(" BLOB");
    return QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)")
        .arg(name, cols.join(QStringLiteral(", ")));
}

// The indexes and the trigger of a register table of this version. A sorted selection walks the
// index of the sort key (or of the number) in order. A change of a text by any tool leaves the
// row's keys empty (the trigger uses plain SQL only), and the small index of such rows lets the
// program find and recompute them at once.
QStringList tableExtrasSql(const RegisterDef& d) {
    QStringList out;
    const QStringList keyed = keyedColumns(d);
    for (const VocabItem& s : d.sortFields) {
        const FieldDef* f = d.field(s.column);
        if (!f) continue;
        QString column;
        if (keyed.contains(f->column))
            column = keyColumn(f->column);
        else if (f->isNumeric())
            column = f->column;
        else
            continue;  // a list of texts: sorted when asked, rarely
        // Named after the field, as before the keys: the index a sort on the field walks.
        QString sql = QStringLiteral("CREATE INDEX IF NOT EXISTS idx_%1_%2 ON %1 (%3)")
                          .arg(d.table, f->column, column);
        if (!out.contains(sql)) out << sql;
    }
    // Every short field in one index: a selection that names no long text (notes, movements)
    // reads this index alone, a small fraction of the table's pages.
    QStringList shortColumns;
    for (const FieldDef& f : d.fields)
        if (f.kind != FieldKind::Notes && f.kind != FieldKind::Picture &&
            f.kind != FieldKind::Movements && f.kind != FieldKind::Durations)
            shortColumns << f.column;
    for (const QString& c : keyed) shortColumns << keyColumn(c);
    out << QStringLiteral("CREATE INDEX IF NOT EXISTS idx_%1_campos ON %1 (%2)")
               .arg(d.table, shortColumns.join(QStringLiteral(", ")));
    if (keyed.isEmpty()) return out;
    out << QStringLiteral("CREATE INDEX IF NOT EXISTS idx_%1_claves_pendientes ON %1 (Id) WHERE %2")
               .arg(d.table, staleCondition(d));
    QStringList changed, cleared;
    for (const QString& c : keyed) {
        changed << QStringLiteral("NEW.%1 IS NOT OLD.%1").arg(c);
        cleared << keyColumn(c) + QStringLiteral(" = NULL");
    }
    out << QStringLiteral(
               "CREATE TRIGGER IF NOT EXISTS trg_%1_claves AFTER UPDATE OF %2 ON %1 WHEN %3 "
               "BEGIN UPDATE %1 SET %4 WHERE Id = NEW.Id; END")
               .arg(d.table, keyed.join(QStringLiteral(", ")), changed.join(QStringLiteral(" OR ")),
                    cleared.join(QStringLiteral(", ")));
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
        for (const FieldDef& f : d.fields) cols << legacyColumnSql(f);
        sql << QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)")
                   .arg(d.table, cols.join(QStringLiteral(", ")));
        sql << legacyIndexSql(d);
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

// The triggers of version 2 name the register tables; they go while those tables are rebuilt
// (a rename checks every trigger of the schema) and come back with version2Sql().
QStringList dropVersion2TriggersSql() {
    QStringList sql{QStringLiteral("DROP TRIGGER IF EXISTS trg_%1_links")
                        .arg(registers::at(registers::kGrabacion).table)};
    for (int r = registers::kCompositor; r <= registers::kSoporte; ++r)
        sql << QStringLiteral("DROP TRIGGER IF EXISTS trg_%1_in_use").arg(registers::at(r).table);
    return sql;
}

// Version 3: no collation in the schema, and beside every text of one line its sort key. Each
// register table is rebuilt (the documented way to change a column's declaration): the rows keep
// their keys, and the last key handed out stays the last, so keys only grow.
QStringList version3Sql() {
    QStringList sql = dropVersion2TriggersSql();
    for (const RegisterDef& d : registers::all()) {
        const QString fresh = d.table + QStringLiteral("_nueva");
        QStringList from{QStringLiteral("Id")}, to{QStringLiteral("Id")};
        for (const FieldDef& f : d.fields) from << f.column, to << f.column;
        for (const QString& c : keyedColumns(d)) {
            to << keyColumn(c);
            from << QStringLiteral("%1(%2)").arg(QLatin1String(jet::kSortKeyFunction), c);
        }
        sql << QStringLiteral("DROP TABLE IF EXISTS %1").arg(fresh);
        sql << tableSql(d, fresh);
        sql << QStringLiteral("INSERT INTO %1 (%2) SELECT %3 FROM %4")
                   .arg(fresh, to.join(QStringLiteral(", ")), from.join(QStringLiteral(", ")),
                        d.table);
        sql << QStringLiteral("DELETE FROM sqlite_sequence WHERE name = '%1'").arg(fresh);
        sql << QStringLiteral(
                   "INSERT INTO sqlite_sequence (name, seq) SELECT '%1', seq FROM sqlite_sequence "
                   "WHERE name = '%2'")
                   .arg(fresh, d.table);
        sql << QStringLiteral("DROP TABLE %1").arg(d.table);
        sql << QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(fresh, d.table);
        sql << tableExtrasSql(d);
    }
    sql << version2Sql();
    return sql;
}

// Version 4: the same columns, with every sort key written again in the order that reads a run of
// digits as its number. Only the keys change, so the trigger on the texts stays silent.
QStringList version4Sql() {
    QStringList sql;
    for (const RegisterDef& d : registers::all())
        if (!keyedColumns(d).isEmpty())
            sql << QStringLiteral("UPDATE %1 SET %2").arg(d.table, keyAssignments(d));
    return sql;
}

// The catalogue's own settings (the second folder of the safety copies): one text per name, so
// they travel with the catalogue and no settings file is needed.
const QString kSettingsTable = QStringLiteral("Ajustes");
QStringList settingsSql() {
    return {
        QStringLiteral("CREATE TABLE IF NOT EXISTS Ajustes (Clave TEXT PRIMARY KEY NOT NULL, "
                       "Valor TEXT NOT NULL DEFAULT '')")};
}

// The steps from each version to the next; step i leads from version i to i + 1. Version 0 is a
// catalogue written before versions were marked: its tables are those of version 1.
QStringList stepSql(int from) {
    switch (from) {
        case 0:
            return registerTablesSql();
        case 1:
            return version2Sql();
        case 2:
            return version3Sql();
        case 3:
            return version4Sql();
        case kSettingsStep:
            return settingsSql();
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
        for (const QString& c : keyedColumns(d)) cols << keyColumn(c);
        out.append({d.table, cols});
    }
    for (const links::SetTable& t : links::setTables())
        out.append({t.table, QStringList{QStringLiteral("Id")} + linkColumns()});
    out.append({kSettingsTable, {QStringLiteral("Clave"), QStringLiteral("Valor")}});
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

QStringList keyedColumns(const RegisterDef& d) {
    QStringList out;
    for (const FieldDef& f : d.fields)
        if (f.kind == FieldKind::Text) out << f.column;
    return out;
}

QString keyColumn(const QString& column) {
    return column + QStringLiteral("_clave");
}

bool keyedEverywhere(const QString& column) {
    bool seen = false;
    for (const RegisterDef& d : registers::all()) {
        const FieldDef* f = d.field(column);
        if (!f) continue;
        if (f->kind != FieldKind::Text) return false;
        seen = true;
    }
    return seen;
}

bool collatedAnywhere(const QString& column) {
    for (const RegisterDef& d : registers::all()) {
        const FieldDef* f = d.field(column);
        if (f && !f->isNumeric() && f->kind != FieldKind::Picture) return true;
    }
    return false;
}

int freshenKeys(sqlite3* db, const RegisterDef& d) {
    const QStringList keyed = keyedColumns(d);
    if (keyed.isEmpty()) return SQLITE_OK;
    const QString stale = staleCondition(d);
    sqlite3_stmt* st = nullptr;
    const QByteArray probe =
        QStringLiteral("SELECT EXISTS (SELECT 1 FROM %1 WHERE %2)").arg(d.table, stale).toUtf8();
    int rc = sqlite3_prepare_v2(db, probe.constData(), int(probe.size()), &st, nullptr);
    bool any = false;
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(st);
        any = rc == SQLITE_ROW && sqlite3_column_int(st, 0) != 0;
        rc = rc == SQLITE_ROW ? SQLITE_OK : rc;
    }
    sqlite3_finalize(st);
    if (rc != SQLITE_OK || !any) return rc;
    const QByteArray update =
        QStringLiteral("UPDATE %1 SET %2 WHERE %3").arg(d.table, keyAssignments(d), stale).toUtf8();
    return sqlite3_exec(db, update.constData(), nullptr, nullptr, nullptr);
}

QString createScript(int version) {
    QStringList sql;
    if (version == kVersion) {
        for (const RegisterDef& d : registers::all())
            sql << tableSql(d, d.table) << tableExtrasSql(d);
        sql << version2Sql() << settingsSql();
    } else {
        for (int v = 0; v < version; ++v) sql << stepSql(v);
    }
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

QString checkAndUpgrade(const QString& path, const std::function<bool()>& keepGoing,
                        bool* cancelled) {
    if (cancelled) *cancelled = false;
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
    jet::install(db);
    // An upgrade or a table of rows to key takes long at a million records: the caller shows
    // that work and may stop it.
    bool stopped = false;
    const std::function<bool()> watched = [&] {
        stopped = stopped || !keepGoing();
        return !stopped;
    };
    if (keepGoing) checkProgress(db, &watched);
    auto failed = [&](const QString& problem) {
        if (!stopped)
            return done(text("No se pudo actualizar el catálogo ") + path + text(": ") + problem);
        if (cancelled) *cancelled = true;
        return done(text("Actualización cancelada: el catálogo ") + path +
                    text(" queda como estaba."));
    };
    // The upgrade, the check of the tables and the sort keys another tool left empty are one
    // transaction: a failure anywhere leaves the catalogue exactly as it was, and a catalogue
    // with nothing to do is not written at all.
    QString problem = version < kVersion ? migrate(db, version) : QString();
    const QString bump = QStringLiteral("PRAGMA user_version = %1").arg(kVersion);
    if (problem.isEmpty() && version < kVersion &&
        sqlite3_exec(db, bump.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        problem = QString::fromUtf8(sqlite3_errmsg(db));
    if (!problem.isEmpty()) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        return failed(problem);
    }
    const QString missing = missingPart(db, path);
    if (!missing.isEmpty()) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        return done(missing);
    }
    // Own indexes and triggers another tool dropped are made again in the same transaction.
    int made = 0;
    if (restoreOwnObjects(db, &made) != SQLITE_OK) problem = QString::fromUtf8(sqlite3_errmsg(db));
    for (const RegisterDef& d : registers::all()) {
        if (!problem.isEmpty()) break;
        if (freshenKeys(db, d) != SQLITE_OK) problem = QString::fromUtf8(sqlite3_errmsg(db));
    }
    if (problem.isEmpty() && (version < kVersion || made > 0 || sqlite3_total_changes64(db) > 0) &&
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
        problem = QString::fromUtf8(sqlite3_errmsg(db));
    if (!problem.isEmpty()) {
        // Damage the engine met on the way is the file's, not the upgrade's: named when it is an
        // index of the program's.
        const bool corrupt = (sqlite3_errcode(db) & 0xff) == SQLITE_CORRUPT;
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        if (corrupt && !stopped)
            if (const QString named = damagedIndexes(db, path); !named.isEmpty())
                return done(named);
        return failed(problem);
    }
    if (sqlite3_get_autocommit(db) == 0) sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    return done({});
}

}  // namespace schema
