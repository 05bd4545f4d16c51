#include "store/own_objects.h"

#include <sqlite3.h>

#include <QSet>
#include <QStringList>

#include "store/engine.h"
#include "store/index_check.h"
#include "store/jet_dialect.h"
#include "store/registers.h"
#include "store/schema.h"

namespace schema {
namespace {

QString utf8(const unsigned char* text) {
    return QString::fromUtf8(reinterpret_cast<const char*>(text));
}

QSet<QString> presentObjects(sqlite3* db) {
    QSet<QString> names;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master WHERE type IN ('index', 'trigger')",
                           -1, &st, nullptr) == SQLITE_OK)
        while (sqlite3_step(st) == SQLITE_ROW) names.insert(utf8(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    return names;
}

const RegisterDef* registerOfTable(const QString& table) {
    for (const RegisterDef& d : registers::all())
        if (d.table.compare(table, Qt::CaseInsensitive) == 0) return &d;
    return nullptr;
}

// Every sort key of the table computed from its text, writing only the rows whose key differs.
int rekey(sqlite3* db, const RegisterDef& d) {
    const QStringList keyed = keyedColumns(d);
    if (keyed.isEmpty()) return SQLITE_OK;
    QStringList sets, differs;
    for (const QString& c : keyed) {
        const QString fresh = QStringLiteral("%1(%2)").arg(QLatin1String(jet::kSortKeyFunction), c);
        sets << QStringLiteral("%1 = %2").arg(keyColumn(c), fresh);
        differs << QStringLiteral("%1 IS NOT %2").arg(keyColumn(c), fresh);
    }
    const QByteArray sql =
        QStringLiteral("UPDATE %1 SET %2 WHERE %3")
            .arg(d.table, sets.join(QStringLiteral(", ")), differs.join(QStringLiteral(" OR ")))
            .toUtf8();
    return sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr);
}

QString damagedText(const QString& path, const QString& what) {
    return QString::fromUtf8("El catálogo ") + path + QString::fromUtf8(" está dañado: ") + what;
}

}  // namespace

const QList<OwnObject>& ownObjects() {
    static const QList<OwnObject> objects = [] {
        QList<OwnObject> out;
        sqlite3* db = nullptr;
        if (sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
            SQLITE_OK) {
            sqlite3_close(db);
            return out;
        }
        jet::install(db);
        sqlite3_stmt* st = nullptr;
        if (sqlite3_exec(db, createScript().toUtf8().constData(), nullptr, nullptr, nullptr) ==
                SQLITE_OK &&
            sqlite3_prepare_v2(db,
                               "SELECT type, name, tbl_name, sql FROM sqlite_master WHERE type IN "
                               "('index', 'trigger') AND sql IS NOT NULL ORDER BY rowid",
                               -1, &st, nullptr) == SQLITE_OK)
            while (sqlite3_step(st) == SQLITE_ROW)
                out.append({utf8(sqlite3_column_text(st, 0)), utf8(sqlite3_column_text(st, 1)),
                            utf8(sqlite3_column_text(st, 2)), utf8(sqlite3_column_text(st, 3))});
        sqlite3_finalize(st);
        sqlite3_close(db);
        return out;
    }();
    return objects;
}

int restoreOwnObjects(sqlite3* db, int* made) {
    *made = 0;
    const QSet<QString> present = presentObjects(db);
    QList<const RegisterDef*> toRekey;
    for (const OwnObject& o : ownObjects()) {
        if (present.contains(o.name)) continue;
        const int rc = sqlite3_exec(db, o.sql.toUtf8().constData(), nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK) return rc;
        ++*made;
        const RegisterDef* d = registerOfTable(o.table);
        if (o.type == QLatin1String("trigger") && d && !toRekey.contains(d)) toRekey << d;
    }
    for (const RegisterDef* d : std::as_const(toRekey))
        if (const int rc = rekey(db, *d); rc != SQLITE_OK) return rc;
    return SQLITE_OK;
}

QString damagedIndexes(sqlite3* db, const QString& path) {
    QStringList damaged;
    try {
        damaged = indexcheck::indexesToRebuild(db);
    } catch (const DbError& e) {
        return damagedText(path, e.detail + QLatin1Char('.'));
    }
    QSet<QString> own;
    for (const OwnObject& o : ownObjects()) own.insert(o.name);
    QStringList named;
    for (const QString& name : std::as_const(damaged))
        if (own.contains(name)) named << name;
    if (named.isEmpty()) return {};
    const QString list = named.join(QStringLiteral(", "));
    return damagedText(path, (named.size() == 1 ? QString::fromUtf8("su índice %1 no concuerda con "
                                                                    "su tabla. La orden «REINDEX "
                                                                    "%1» del programa sqlite3 lo "
                                                                    "rehace.")
                                                : QString::fromUtf8("sus índices %1 no concuerdan "
                                                                    "con sus tablas. La orden "
                                                                    "«REINDEX» del programa "
                                                                    "sqlite3 los rehace."))
                                 .arg(list));
}

}  // namespace schema
