#include "store/ordered_selection.h"

#include <sqlite3.h>

#include <QRegularExpression>
#include <algorithm>
#include <cstring>

#include "store/engine.h"
#include "store/registers.h"
#include "store/schema.h"

namespace ordered {
namespace {

Way last = Way::None;
Way forced = Way::None;

struct Order {
    QString column;  // the indexed column: a sort key or a number
    bool descending = false;
    bool key = false;
};

std::optional<Order> orderOf(const QString& table, const QString& orderText) {
    static const QRegularExpression single(
        QStringLiteral("^\\s*(\\w+)(?:\\s+(ASC|DESC))?\\s*;?\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = single.match(orderText);
    const RegisterDef* d = registers::byTable(table);
    if (!m.hasMatch() || !d) return std::nullopt;
    const FieldDef* f = d->field(m.captured(1));
    if (!f) return std::nullopt;
    bool sortable = false;
    for (const VocabItem& s : d->sortFields) sortable |= s.column == f->column;
    if (!sortable) return std::nullopt;
    Order o;
    o.descending = m.captured(2).compare(QLatin1String("DESC"), Qt::CaseInsensitive) == 0;
    if (f->kind == FieldKind::Text) {
        o.column = schema::keyColumn(f->column);
        o.key = true;
    } else if (f->isNumeric()) {
        o.column = f->column;
    } else {
        return std::nullopt;
    }
    return o;
}

// One record's place: its value in the order, then its key.
struct Entry {
    QByteArray bytes;  // a sort key
    qint64 number = 0;
    qint64 id = 0;
};

// Reads the order value of the current row; false when it is not of the column's kind (a value
// another tool stored), and the engine must sort.
bool readValue(sqlite3_stmt* st, int column, bool key, Entry& e) {
    const int type = sqlite3_column_type(st, column);
    if (key) {
        if (type != SQLITE_BLOB) return false;
        const int n = sqlite3_column_bytes(st, column);
        e.bytes = QByteArray(static_cast<const char*>(sqlite3_column_blob(st, column)), n);
        return true;
    }
    if (type != SQLITE_INTEGER) return false;
    e.number = sqlite3_column_int64(st, column);
    return true;
}

int compareValues(const Entry& a, const Entry& b, bool key) {
    if (!key) return a.number < b.number ? -1 : a.number > b.number ? 1 : 0;
    return a.bytes.compare(b.bytes) < 0 ? -1 : a.bytes == b.bytes ? 0 : 1;
}

std::vector<qint64> runKeys(Connection& c, const QString& sql) {
    sqlite3_stmt* st = c.prepare(sql);
    std::vector<qint64> keys;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) keys.push_back(sqlite3_column_int64(st, 0));
    sqlite3_reset(st);
    if (rc != SQLITE_DONE) c.fail(rc, sql);
    return keys;
}

// Puts the groups of equal values of an ascending list the other way round, each group keeping
// its order of entry.
std::vector<qint64> descending(const std::vector<Entry>& asc, bool key) {
    std::vector<qint64> out;
    out.reserve(asc.size());
    size_t end = asc.size();
    while (end > 0) {
        size_t start = end - 1;
        while (start > 0 && compareValues(asc[start - 1], asc[end - 1], key) == 0) --start;
        for (size_t i = start; i < end; ++i) out.push_back(asc[i].id);
        end = start;
    }
    return out;
}

}  // namespace

Way lastWay() {
    return last;
}

void forceWay(Way w) {
    forced = w;
}

std::optional<std::vector<qint64>> select(Connection& c, const QString& table,
                                          const QString& orderText, const QString& filterQuery) {
    last = Way::None;
    const std::optional<Order> order = orderOf(table, orderText);
    if (!order) return std::nullopt;
    std::vector<qint64> matches = runKeys(c, filterQuery);
    std::sort(matches.begin(), matches.end());
    if (matches.empty()) return matches;
    const qint64 highest = runKeys(c, QStringLiteral("SELECT max(Id) FROM \"%1\"").arg(table))[0];
    // Walking the index reads every record's entry once (about 0.15 s at a million); sorting
    // reads each match's row, a page of its own with its notes (about 15 us a match). Measured at
    // a million records, the walk wins from about one match in a hundred.
    const bool walk =
        forced != Way::None ? forced == Way::Walk : matches.size() * 100 > size_t(highest);
    std::vector<Entry> asc;
    asc.reserve(matches.size());
    if (walk) {
        // A bit per key when the keys are dense (as the program hands them out), otherwise a
        // search among the matches (keys another tool chose far apart).
        const bool dense =
            matches.front() >= 0 && highest <= qint64(matches.size()) * 64 + (1 << 24);
        std::vector<bool> bits(dense ? size_t(highest) + 1 : 0, false);
        for (qint64 id : matches)
            if (dense) bits[size_t(id)] = true;
        auto wanted = [&](qint64 id) {
            if (dense) return id >= 0 && id <= highest && bits[size_t(id)];
            return std::binary_search(matches.begin(), matches.end(), id);
        };
        const QString sql =
            QStringLiteral("SELECT Id, %1 FROM \"%2\" ORDER BY %1, Id").arg(order->column, table);
        sqlite3_stmt* st = c.prepare(sql);
        int rc;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
            const qint64 id = sqlite3_column_int64(st, 0);
            if (!wanted(id)) continue;
            Entry e;
            e.id = id;
            if (!readValue(st, 1, order->key, e)) {
                sqlite3_reset(st);
                return std::nullopt;
            }
            asc.push_back(std::move(e));
        }
        sqlite3_reset(st);
        if (rc != SQLITE_DONE) c.fail(rc, sql);
        last = Way::Walk;
    } else {
        const QString sql =
            QStringLiteral("SELECT Id, %1 FROM \"%2\" WHERE Id = ?1").arg(order->column, table);
        sqlite3_stmt* st = c.prepare(sql);
        for (qint64 id : matches) {
            sqlite3_bind_int64(st, 1, id);
            const int rc = sqlite3_step(st);
            Entry e;
            e.id = id;
            const bool read = rc == SQLITE_ROW && readValue(st, 1, order->key, e);
            sqlite3_reset(st);
            if (rc != SQLITE_ROW && rc != SQLITE_DONE) c.fail(rc, sql);
            if (rc == SQLITE_DONE) continue;  // gone since: the engine would not list it either
            if (!read) return std::nullopt;
            asc.push_back(std::move(e));
        }
        std::stable_sort(asc.begin(), asc.end(), [&](const Entry& a, const Entry& b) {
            return compareValues(a, b, order->key) < 0;
        });
        last = Way::Sort;
    }
    if (order->descending) return descending(asc, order->key);
    std::vector<qint64> out;
    out.reserve(asc.size());
    for (const Entry& e : asc) out.push_back(e.id);
    return out;
}

}  // namespace ordered
