#include "store/index_check.h"

#include <sqlite3.h>

#include <QHashFunctions>
#include <QRegularExpression>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "store/engine.h"
#include "store/jet_dialect.h"

namespace indexcheck {
namespace {

// Each index is matched against its table by an order-free sum of its entries' hashes: one pass
// over the table serves every index of it, and one in-order pass over each index also shows
// entries out of order and repeated keys. A damaged index that sums the same by chance has odds
// of about 2^-64.

struct Statement {
    sqlite3_stmt* st = nullptr;
    Statement(sqlite3* db, const QString& sql) {
        if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK) {
            sqlite3_finalize(st);
            st = nullptr;
        }
    }
    ~Statement() { sqlite3_finalize(st); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
};

[[noreturn]] void fail(sqlite3* db, int rc) {
    const QString m = QString::fromUtf8(sqlite3_errmsg(db));
    throw DbError((rc & 0xFF) == SQLITE_CORRUPT ? dberr::kNotCatalogue : errorNumberFor(rc, m), m);
}

quint64 mix(quint64 h) {
    h ^= h >> 30;
    h *= 0xbf58476d1ce4e5b9ULL;
    h ^= h >> 27;
    h *= 0x94d049bb133111ebULL;
    return h ^ (h >> 31);
}

constexpr quint64 kNull = 0x6a09e667f3bcc908ULL, kNumber = 0xbb67ae8584caa73bULL,
                  kReal = 0x3c6ef372fe94f82bULL, kText = 0xa54ff53a5f1d36f1ULL,
                  kBlob = 0x510e527fade682d1ULL, kEntry = 0x9b05688c2b3e6c1fULL;

// A whole number held as a REAL may be stored as an integer in one b-tree and read back as a
// REAL from another, so numbers hash by value.
bool wholeNumber(double d, qint64* out) {
    if (!std::isfinite(d) || d != std::trunc(d) || d < -9223372036854775808.0 ||
        d >= 9223372036854775808.0)
        return false;
    *out = qint64(d);
    return true;
}

quint64 valueHash(sqlite3_value* v) {
    switch (sqlite3_value_type(v)) {
        case SQLITE_INTEGER:
            return mix(quint64(sqlite3_value_int64(v)) ^ kNumber);
        case SQLITE_FLOAT: {
            const double d = sqlite3_value_double(v);
            qint64 whole = 0;
            if (wholeNumber(d, &whole)) return mix(quint64(whole) ^ kNumber);
            quint64 bits = 0;
            std::memcpy(&bits, &d, sizeof bits);
            return mix(bits ^ kReal);
        }
        case SQLITE_TEXT: {
            const void* p = sqlite3_value_text(v);
            const int n = sqlite3_value_bytes(v);
            return mix(quint64(qHashBits(p, size_t(n), size_t(kText))) ^ kText);
        }
        case SQLITE_BLOB: {
            const void* p = sqlite3_value_blob(v);
            const int n = sqlite3_value_bytes(v);
            return n ? mix(quint64(qHashBits(p, size_t(n), size_t(kBlob))) ^ kBlob) : mix(kBlob);
        }
        default:
            return kNull;
    }
}

// One column of an index entry, kept to be compared with the next entry's.
struct Key {
    int rank = 0;  // SQLite's order of kinds: NULL, number, text, blob
    bool isInteger = false;
    qint64 integer = 0;
    double real = 0;
    std::string bytes;

    void read(sqlite3_value* v) {
        const int type = sqlite3_value_type(v);
        isInteger = type == SQLITE_INTEGER;
        switch (type) {
            case SQLITE_INTEGER:
                rank = 1;
                integer = sqlite3_value_int64(v);
                break;
            case SQLITE_FLOAT:
                rank = 1;
                real = sqlite3_value_double(v);
                break;
            case SQLITE_TEXT:
            case SQLITE_BLOB: {
                rank = type == SQLITE_TEXT ? 2 : 3;
                const char* p = type == SQLITE_TEXT
                                    ? reinterpret_cast<const char*>(sqlite3_value_text(v))
                                    : static_cast<const char*>(sqlite3_value_blob(v));
                const int n = sqlite3_value_bytes(v);
                bytes.assign(p ? p : "", p ? size_t(n) : 0);
                break;
            }
            default:
                rank = 0;
        }
    }
};

// The order of an index whose columns all sort by plain bytes, ascending.
int compare(const Key& a, const Key& b) {
    if (a.rank != b.rank) return a.rank < b.rank ? -1 : 1;
    if (a.rank == 1) {
        if (a.isInteger && b.isInteger) return a.integer < b.integer ? -1 : a.integer > b.integer;
        const long double x = a.isInteger ? (long double)a.integer : (long double)a.real;
        const long double y = b.isInteger ? (long double)b.integer : (long double)b.real;
        return x < y ? -1 : x > y;
    }
    if (a.rank == 0) return 0;
    const size_t n = std::min(a.bytes.size(), b.bytes.size());
    const int c = n ? std::memcmp(a.bytes.data(), b.bytes.data(), n) : 0;
    if (c) return c < 0 ? -1 : 1;
    return a.bytes.size() < b.bytes.size() ? -1 : a.bytes.size() > b.bytes.size();
}

struct Index {
    QString name;
    bool unique = false;
    bool verifiable = true;
    std::vector<int> key;    // the table scan's result columns that make each entry
    QStringList keyColumns;  // the same columns, as the index scan selects them
    QString where;           // a partial index's condition
    quint64 rowsSum = 0;
    qint64 rows = 0;
};

quint64 entryHash(const quint64* values, size_t n, quint64 rowid) {
    quint64 h = kEntry;
    for (size_t i = 0; i < n; ++i) h = mix(h + values[i]);
    return mix(h + rowid);
}

// The engine hands each row's values straight to an aggregate: no result row is made and no
// value copied out, which costs several times the reading itself.
void finalNothing(sqlite3_context* ctx) {
    sqlite3_result_null(ctx);
}

// A table's pass: its arguments are the rowid and the table's columns in order.
struct RowsTally {
    std::vector<bool> hashed, notNull;   // by argument
    std::vector<bool> kindOnly;          // the argument is the column's typeof(), not its value
    std::vector<std::vector<int>> keys;  // by verifiable index, the arguments of its entries
    std::vector<int> conditions;         // and the argument that says a row has an entry, or -1
    std::vector<quint64> sums;
    std::vector<qint64> counts;
    int missingArgument = -1;  // the first NOT NULL column found empty, and its row
    qint64 missingRow = 0;
    std::vector<quint64> hashes, entry;
};

void rowsStep(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    auto* t = static_cast<RowsTally*>(sqlite3_user_data(ctx));
    for (int i = 0; i < argc; ++i) {
        if (t->notNull[size_t(i)] && t->missingArgument < 0 &&
            (t->kindOnly[size_t(i)] ? *sqlite3_value_text(argv[i]) == 'n'  // "null"
                                    : sqlite3_value_type(argv[i]) == SQLITE_NULL)) {
            t->missingArgument = i;
            t->missingRow = sqlite3_value_int64(argv[0]);
        }
        if (t->hashed[size_t(i)]) t->hashes[size_t(i)] = valueHash(argv[i]);
    }
    for (size_t k = 0; k < t->keys.size(); ++k) {
        const int condition = t->conditions[k];
        if (condition >= 0 && sqlite3_value_int(argv[condition]) == 0) continue;
        t->entry.clear();
        for (int a : t->keys[k]) t->entry.push_back(t->hashes[size_t(a)]);
        t->sums[k] += entryHash(t->entry.data(), t->entry.size(), t->hashes[0]);
        ++t->counts[k];
    }
}

// An index's pass, in its order: the arguments are the entry's columns, then the rowid.
struct EntriesTally {
    bool unique = false;
    bool disordered = false;
    quint64 sum = 0;
    qint64 entries = 0;
    std::vector<Key> previous, current;
    std::vector<quint64> entry;
    qint64 previousRowid = 0;
};

void entriesStep(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    auto* t = static_cast<EntriesTally*>(sqlite3_user_data(ctx));
    const size_t n = size_t(argc - 1);
    t->current.resize(n);
    t->entry.resize(n);
    for (size_t i = 0; i < n; ++i) {
        t->current[i].read(argv[i]);
        t->entry[i] = valueHash(argv[i]);
    }
    const qint64 rowid = sqlite3_value_int64(argv[n]);
    if (t->entries > 0) {
        int order = 0;
        bool nullKey = false;
        for (size_t i = 0; i < n && order == 0; ++i) {
            order = compare(t->previous[i], t->current[i]);
            nullKey = nullKey || t->current[i].rank == 0;
        }
        if (order > 0 || (order == 0 && ((t->unique && !nullKey) || t->previousRowid >= rowid)))
            t->disordered = true;
    }
    t->sum += entryHash(t->entry.data(), n, valueHash(argv[n]));
    ++t->entries;
    t->previous.swap(t->current);
    t->previousRowid = rowid;
}

// Runs `sql`, a single aggregate over the rows, with `tally` behind the aggregate `name`.
int runTally(sqlite3* db, const char* name, void* tally,
             void (*step)(sqlite3_context*, int, sqlite3_value**), const QString& sql) {
    int rc = sqlite3_create_function_v2(db, name, -1, SQLITE_UTF8, tally, nullptr, step,
                                        finalNothing, nullptr);
    if (rc != SQLITE_OK) return rc;
    Statement st(db, sql);
    if (!st.st) return sqlite3_errcode(db);
    while ((rc = sqlite3_step(st.st)) == SQLITE_ROW) {
    }
    return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

// A partial index's condition: what its statement says after its last WHERE. Should that word
// be part of the condition itself, what is taken is no condition the engine accepts for the index,
// and the index is rebuilt.
QString partialCondition(sqlite3* db, const QString& index) {
    Statement s(db, QStringLiteral("SELECT sql FROM sqlite_schema WHERE type = 'index' AND name = "
                                   "?1"));
    if (!s.st) return {};
    const QByteArray name = index.toUtf8();
    sqlite3_bind_text(s.st, 1, name.constData(), name.size(), SQLITE_TRANSIENT);
    if (sqlite3_step(s.st) != SQLITE_ROW) return {};
    const QString sql = columnText(s.st, 0);
    static const QRegularExpression where(QStringLiteral("\\bWHERE\\b"),
                                          QRegularExpression::CaseInsensitiveOption);
    const qsizetype at = sql.lastIndexOf(where);
    return at < 0 ? QString() : sql.mid(at + 5).trimmed();
}

struct Column {
    QString name;
    bool notNull = false;
};

// The indexes of a table with what each entry is made of; those this check does not read are
// marked so.
std::vector<Index> indexesOf(sqlite3* db, const QString& table, bool hasRowid,
                             const std::vector<int>& scanColumnOfCid,
                             const std::vector<Column>& columns) {
    std::vector<Index> found;
    Statement list(db,
                   QStringLiteral("SELECT name, \"unique\", partial FROM pragma_index_list(?1)"));
    if (!list.st) fail(db, sqlite3_errcode(db));
    const QByteArray t = table.toUtf8();
    sqlite3_bind_text(list.st, 1, t.constData(), t.size(), SQLITE_TRANSIENT);
    while (sqlite3_step(list.st) == SQLITE_ROW) {
        Index ix;
        ix.name = columnText(list.st, 0);
        ix.unique = sqlite3_column_int(list.st, 1) != 0;
        ix.verifiable = hasRowid;
        if (sqlite3_column_int(list.st, 2)) {
            ix.where = partialCondition(db, ix.name);
            if (ix.where.isEmpty()) ix.verifiable = false;
        }
        Statement info(db, QStringLiteral("SELECT cid, \"desc\", coll FROM pragma_index_xinfo(?1) "
                                          "WHERE key ORDER BY seqno"));
        if (!info.st) fail(db, sqlite3_errcode(db));
        const QByteArray n = ix.name.toUtf8();
        sqlite3_bind_text(info.st, 1, n.constData(), n.size(), SQLITE_TRANSIENT);
        while (sqlite3_step(info.st) == SQLITE_ROW) {
            const int cid = sqlite3_column_int(info.st, 0);
            const bool plain =
                sqlite3_column_int(info.st, 1) == 0 &&
                columnText(info.st, 2).compare(QLatin1String("BINARY"), Qt::CaseInsensitive) == 0;
            if (!plain || cid < -1 || cid >= int(scanColumnOfCid.size()) ||
                (cid >= 0 && scanColumnOfCid[size_t(cid)] < 0)) {
                ix.verifiable = false;
                continue;
            }
            ix.key.push_back(cid < 0 ? 0 : scanColumnOfCid[size_t(cid)]);
            ix.keyColumns << (cid < 0 ? QStringLiteral("rowid")
                                      : jet::quoteName(columns[size_t(cid)].name));
        }
        if (ix.key.empty()) ix.verifiable = false;
        found.push_back(std::move(ix));
    }
    return found;
}

// One pass over the table: the NOT NULL rule checked on every row, and each index's sum of the
// entries its rows call for. Returns false when a partial index's condition cannot be evaluated
// here, with nothing counted.
bool scanTable(sqlite3* db, const QString& table, bool hasRowid, const std::vector<Column>& columns,
               std::vector<Index>& indexes) {
    const size_t width = columns.size() + 1;
    RowsTally t;
    t.hashed.assign(width, false);
    t.notNull.assign(width, false);
    t.kindOnly.assign(width, false);
    for (Index& ix : indexes)
        if (ix.verifiable) {
            for (int k : ix.key) t.hashed[size_t(k)] = true;
            t.keys.push_back(ix.key);
        }
    t.hashed[0] = true;
    // A column no index holds is read only when it is bound to hold a value, and then only its
    // kind, which the engine takes from the row's header without copying the content.
    QStringList arguments{hasRowid ? QStringLiteral("rowid") : QStringLiteral("0")};
    for (size_t c = 0; c < columns.size(); ++c) {
        t.notNull[c + 1] = columns[c].notNull;
        t.kindOnly[c + 1] = !t.hashed[c + 1] && columns[c].notNull;
        arguments << (t.hashed[c + 1] ? jet::quoteName(columns[c].name)
                      : t.kindOnly[c + 1]
                          ? QStringLiteral("typeof(%1)").arg(jet::quoteName(columns[c].name))
                          : QStringLiteral("NULL"));
    }
    for (const Index& ix : indexes) {
        if (!ix.verifiable) continue;
        t.conditions.push_back(ix.where.isEmpty() ? -1 : int(arguments.size()));
        if (!ix.where.isEmpty()) arguments << QStringLiteral("((%1) IS TRUE)").arg(ix.where);
    }
    const size_t count = size_t(arguments.size());
    t.hashed.resize(count, false);
    t.notNull.resize(count, false);
    t.kindOnly.resize(count, false);
    t.hashes.assign(count, 0);
    t.sums.assign(t.keys.size(), 0);
    t.counts.assign(t.keys.size(), 0);
    if (int(count) > sqlite3_limit(db, SQLITE_LIMIT_FUNCTION_ARG, -1)) {
        // Wider than one call takes: the indexes are rebuilt, which checks them as it goes.
        for (Index& ix : indexes) ix.verifiable = false;
        return true;
    }
    const int rc = runTally(db, "index_check_rows", &t, rowsStep,
                            QStringLiteral("SELECT index_check_rows(%1) FROM %2 NOT INDEXED")
                                .arg(arguments.join(QStringLiteral(", ")), jet::quoteName(table)));
    if (rc != SQLITE_OK && count > width) return false;
    if (rc != SQLITE_OK) fail(db, rc);
    if (t.missingArgument > 0)
        throw DbError(dberr::kNotCatalogue,
                      QString::fromUtf8("%1.%2 sin valor en la fila %3")
                          .arg(table, columns[size_t(t.missingArgument - 1)].name,
                               hasRowid ? QString::number(t.missingRow) : QStringLiteral("?")));
    size_t k = 0;
    for (Index& ix : indexes)
        if (ix.verifiable) {
            ix.rowsSum = t.sums[k];
            ix.rows = t.counts[k++];
        }
    return true;
}

// How many entries an index holds, counted from its pages. A partial index is read only through
// its condition; the engine takes that condition as granted by the index and does not evaluate
// it, but should it ever do, it would hide an entry that does not belong. -1 when that cannot be
// counted.
qint64 entriesOnPages(sqlite3* db, const QString& index) {
    Statement s(db, QStringLiteral("SELECT sum(ncell) FROM dbstat WHERE name = ?1"));
    if (!s.st) return -1;
    const QByteArray name = index.toUtf8();
    sqlite3_bind_text(s.st, 1, name.constData(), name.size(), SQLITE_TRANSIENT);
    if (sqlite3_step(s.st) != SQLITE_ROW) return -1;
    return sqlite3_column_int64(s.st, 0);
}

// One in-order pass over an index: its entries must sum as its table's rows do, each after the
// one before, and a unique index must not hold one key twice.
bool indexMatches(sqlite3* db, const QString& table, const Index& ix) {
    EntriesTally t;
    t.unique = ix.unique;
    QString sql = QStringLiteral("SELECT index_check_entries(%1, rowid) FROM %2 INDEXED BY %3")
                      .arg(ix.keyColumns.join(QStringLiteral(", ")), jet::quoteName(table),
                           jet::quoteName(ix.name));
    if (!ix.where.isEmpty()) sql += QStringLiteral(" WHERE ") + ix.where;
    const int rc = runTally(db, "index_check_entries", &t, entriesStep, sql);
    return rc == SQLITE_OK && !t.disordered && t.entries == ix.rows && t.sum == ix.rowsSum &&
           (ix.where.isEmpty() || entriesOnPages(db, ix.name) == t.entries);
}

}  // namespace

QStringList indexesToRebuild(sqlite3* db) {
    QStringList rebuild;
    std::vector<std::pair<QString, bool>> tables;  // name, has a rowid
    {
        Statement list(db, QStringLiteral("SELECT name, wr FROM pragma_table_list WHERE schema = "
                                          "'main' AND type IN ('table', 'shadow') AND name NOT IN "
                                          "('sqlite_schema', 'sqlite_master') ORDER BY name"));
        if (!list.st) fail(db, sqlite3_errcode(db));
        while (sqlite3_step(list.st) == SQLITE_ROW)
            tables.emplace_back(columnText(list.st, 0), sqlite3_column_int(list.st, 1) == 0);
    }
    for (const auto& [table, hasRowid] : tables) {
        std::vector<Column> columns;
        std::vector<int> scanColumnOfCid;
        {
            Statement info(db, QStringLiteral("SELECT cid, name, \"notnull\", hidden FROM "
                                              "pragma_table_xinfo(?1) ORDER BY cid"));
            if (!info.st) fail(db, sqlite3_errcode(db));
            const QByteArray t = table.toUtf8();
            sqlite3_bind_text(info.st, 1, t.constData(), t.size(), SQLITE_TRANSIENT);
            while (sqlite3_step(info.st) == SQLITE_ROW) {
                const int cid = sqlite3_column_int(info.st, 0);
                if (cid >= int(scanColumnOfCid.size())) scanColumnOfCid.resize(size_t(cid) + 1, -1);
                if (sqlite3_column_int(info.st, 3) == 1) continue;  // a virtual table's own
                scanColumnOfCid[size_t(cid)] = int(columns.size()) + 1;
                columns.push_back({columnText(info.st, 1), sqlite3_column_int(info.st, 2) != 0});
            }
        }
        std::vector<Index> indexes = indexesOf(db, table, hasRowid, scanColumnOfCid, columns);
        if (!scanTable(db, table, hasRowid, columns, indexes)) {
            for (Index& ix : indexes)
                if (!ix.where.isEmpty()) ix.verifiable = false;
            scanTable(db, table, hasRowid, columns, indexes);
        }
        for (const Index& ix : indexes)
            if (!ix.verifiable || !indexMatches(db, table, ix)) rebuild << ix.name;
    }
    return rebuild;
}

}  // namespace indexcheck
