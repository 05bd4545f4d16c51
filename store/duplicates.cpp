#include "store/duplicates.h"

#include <sqlite3.h>

#include <QStringList>
#include <algorithm>

#include "store/data_hub.h"
#include "store/engine.h"
#include "store/jet_dialect.h"
#include "store/record_label.h"
#include "store/registers.h"
#include "store/schema.h"

namespace duplicates {
namespace {

QString columnList(const QStringList& columns) {
    QStringList quoted;
    for (const QString& c : columns) quoted << jet::quoteName(c);
    return quoted.join(QStringLiteral(", "));
}

QHash<QString, QString> rowValues(sqlite3_stmt* st, const QStringList& columns, int first) {
    QHash<QString, QString> values;
    for (int i = 0; i < columns.size(); ++i) values.insert(columns[i], columnText(st, first + i));
    return values;
}

void bindBlob(sqlite3_stmt* st, int i, const QByteArray& b) {
    sqlite3_bind_blob(st, i, b.constData(), int(b.size()), SQLITE_TRANSIENT);
}

// The links of a recording as one comparable text: the three single keys, then each set's keys
// in order. `alias` names the recording table in the statement.
QString signatureSql(const QString& alias) {
    QStringList parts{alias + QStringLiteral(".CompositorId"), alias + QStringLiteral(".ObraId"),
                      alias + QStringLiteral(".SoporteId")};
    for (const links::SetTable& t : links::setTables())
        parts << QStringLiteral(
                     "coalesce((SELECT group_concat(RegistroId, ',') FROM (SELECT RegistroId "
                     "FROM %1 WHERE GrabacionId = %2.Id ORDER BY Orden)), '')")
                     .arg(t.table, alias);
    return parts.join(QStringLiteral(" || '/' || "));
}

QString signatureOf(const links::Recording& r) {
    QStringList parts{QString::number(r.compositor), QString::number(r.obra),
                      QString::number(r.soporte)};
    for (const links::SetTable& t : links::setTables()) {
        QStringList keys;
        for (qint64 k : r.set(t.global)) keys << QString::number(k);
        parts << keys.join(QLatin1Char(','));
    }
    return parts.join(QLatin1Char('/'));
}

void step(Connection& conn, int rc) {
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) conn.fail(rc);
}

}  // namespace

QString comparableLabel(const FormBasesDatos& hub, int global,
                        const QHash<QString, QString>& values) {
    QHash<QString, QString> trimmed;
    for (auto it = values.begin(); it != values.end(); ++it)
        trimmed.insert(it.key(), it.value().trimmed());
    return labels::comparable(labels::compose(hub, global, trimmed));
}

QString probeColumn(int global) {
    const RegisterDef& d = registers::at(global);
    const QStringList columns = labels::columnsOf(global);
    auto sorted = [&](const QString& c) {
        for (const VocabItem& s : d.sortFields)
            if (s.column == c) return true;
        return false;
    };
    for (const QString& c : columns)
        if (sorted(c) && d.field(c) && d.field(c)->identifier) return c;
    for (const QString& c : columns)
        if (sorted(c)) return c;
    return columns.value(0);
}

Match findEqual(Connection& conn, const FormBasesDatos& hub, int global,
                const QHash<QString, QString>& values) {
    const RegisterDef& d = registers::at(global);
    const QString probe = probeColumn(global);
    if (probe.isEmpty()) return {};
    const int rc = schema::freshenKeys(conn.db(), d);
    if (rc != SQLITE_OK) conn.fail(rc);
    const QStringList columns = labels::columnsOf(global);
    // Every text with the probe's letters has a key that is their primary key or starts with it
    // and the zero byte before the accents: the range [P, P + 01).
    const QByteArray low = jet::sortKey(values.value(probe).trimmed(), true);
    sqlite3_stmt* st =
        conn.prepare(QStringLiteral("SELECT Id, %1 FROM %2 WHERE %3 >= ?1 AND %3 < ?2")
                         .arg(columnList(columns), jet::quoteName(d.table),
                              jet::quoteName(schema::keyColumn(probe))));
    bindBlob(st, 1, low);
    bindBlob(st, 2, low + '\x01');
    const QString wanted = comparableLabel(hub, global, values);
    Match found;
    int r;
    while ((r = sqlite3_step(st)) == SQLITE_ROW) {
        const qint64 key = sqlite3_column_int64(st, 0);
        if (found.key != 0 && key > found.key) continue;
        const QHash<QString, QString> stored = rowValues(st, columns, 1);
        if (comparableLabel(hub, global, stored) == wanted)
            found = {key, labels::compose(hub, global, stored)};
    }
    sqlite3_reset(st);
    step(conn, r);
    return found;
}

Match findEqualRecording(Connection& conn, const FormBasesDatos& hub, const links::Recording& r) {
    sqlite3_stmt* st = conn.prepare(
        QStringLiteral("SELECT g.Id, %1 FROM Grabacion g WHERE g.CompositorId = ?1 AND "
                       "g.ObraId = ?2 AND g.SoporteId = ?3 ORDER BY g.Id")
            .arg(signatureSql(QStringLiteral("g"))));
    sqlite3_bind_int64(st, 1, r.compositor);
    sqlite3_bind_int64(st, 2, r.obra);
    sqlite3_bind_int64(st, 3, r.soporte);
    const QString wanted = signatureOf(r);
    qint64 key = 0;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW)
        if (columnText(st, 1) == wanted) {
            key = sqlite3_column_int64(st, 0);
            break;
        }
    sqlite3_reset(st);
    step(conn, rc);
    if (key == 0) return {};
    return {key, recordingLabel(conn, hub, r)};
}

QString labelOf(Connection& conn, const FormBasesDatos& hub, int global, qint64 key) {
    if (global == registers::kGrabacion) return recordingLabel(conn, hub, links::read(conn, key));
    const QStringList columns = labels::columnsOf(global);
    sqlite3_stmt* st =
        conn.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE Id = ?1")
                         .arg(columnList(columns), jet::quoteName(registers::at(global).table)));
    sqlite3_bind_int64(st, 1, key);
    const int rc = sqlite3_step(st);
    const QString label =
        rc == SQLITE_ROW ? labels::compose(hub, global, rowValues(st, columns, 0)) : QString();
    sqlite3_reset(st);
    step(conn, rc);
    return label;
}

QString recordingLabel(Connection& conn, const FormBasesDatos& hub, const links::Recording& r) {
    QStringList parts;
    for (int g : {registers::kCompositor, registers::kObra, registers::kSoporte})
        if (r.single(g) != 0) {
            const QString label = labelOf(conn, hub, g, r.single(g)).trimmed();
            if (!label.isEmpty()) parts << label;
        }
    return parts.join(QStringLiteral(" - "));
}

// One pass keeps a hash of each record's comparable label (16 bytes a record, whatever the
// texts), sorting puts equal hashes together, and only records sharing a hash are read again and
// grouped by their texts.
QSet<QString> storedLabels(Connection& conn, const FormBasesDatos& hub, int global,
                           const std::function<bool(qint64)>& keepGoing) {
    const QStringList columns = labels::columnsOf(global);
    sqlite3_stmt* st =
        conn.prepare(QStringLiteral("SELECT Id, %1 FROM %2")
                         .arg(columnList(columns), jet::quoteName(registers::at(global).table)));
    QSet<QString> out;
    qint64 read = 0;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        out.insert(comparableLabel(hub, global, rowValues(st, columns, 1)));
        if (++read % 1000 == 0 && keepGoing && !keepGoing(read)) {
            sqlite3_reset(st);
            throw DbError(dberr::kCancelled, QStringLiteral("cancelado"));
        }
    }
    sqlite3_reset(st);
    step(conn, rc);
    return out;
}

std::vector<Group> groups(Connection& conn, const FormBasesDatos& hub, int global,
                          const std::function<bool(qint64)>& keepGoing) {
    const bool recording = global == registers::kGrabacion;
    const QStringList columns = labels::columnsOf(global);
    const QString table = jet::quoteName(registers::at(global).table);
    const QString signature = signatureSql(QStringLiteral("g"));
    const QString select =
        recording ? QStringLiteral("SELECT g.Id, %1 FROM Grabacion g").arg(signature)
                  : QStringLiteral("SELECT Id, %1 FROM %2").arg(columnList(columns), table);
    // The comparable text of the current row of `st`, and (for a record) its label.
    auto comparable = [&](sqlite3_stmt* st, QString* label) {
        if (recording) return columnText(st, 1);
        const QHash<QString, QString> stored = rowValues(st, columns, 1);
        if (label) *label = labels::compose(hub, global, stored);
        return comparableLabel(hub, global, stored);
    };
    std::vector<std::pair<size_t, qint64>> hashed;
    sqlite3_stmt* st = conn.prepare(select);
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        hashed.emplace_back(qHash(comparable(st, nullptr)), sqlite3_column_int64(st, 0));
        if (hashed.size() % 1000 == 0 && keepGoing && !keepGoing(qint64(hashed.size()))) {
            sqlite3_reset(st);
            throw DbError(dberr::kCancelled, QStringLiteral("cancelado"));
        }
    }
    sqlite3_reset(st);
    step(conn, rc);
    std::sort(hashed.begin(), hashed.end());
    std::vector<Group> out;
    sqlite3_stmt* one = conn.prepare(
        select +
        QStringLiteral(" WHERE %1Id = ?1").arg(recording ? QStringLiteral("g.") : QString()));
    for (size_t i = 0; i < hashed.size();) {
        size_t end = i + 1;
        while (end < hashed.size() && hashed[end].first == hashed[i].first) ++end;
        if (end - i > 1) {
            QHash<QString, size_t> groupOf;
            std::vector<Group> run;
            for (size_t k = i; k < end; ++k) {
                sqlite3_bind_int64(one, 1, hashed[k].second);
                const int r = sqlite3_step(one);
                QString label, same;
                if (r == SQLITE_ROW) same = comparable(one, &label);
                sqlite3_reset(one);
                step(conn, r);
                if (r != SQLITE_ROW) continue;
                auto it = groupOf.find(same);
                if (it == groupOf.end()) {
                    groupOf.insert(same, run.size());
                    run.push_back({label, {hashed[k].second}});
                } else {
                    run[*it].keys.push_back(hashed[k].second);
                }
            }
            for (Group& g : run)
                if (g.keys.size() > 1) out.push_back(std::move(g));
        }
        i = end;
    }
    if (recording)
        for (Group& g : out) g.label = labelOf(conn, hub, global, g.keys.front());
    std::stable_sort(out.begin(), out.end(), [](const Group& a, const Group& b) {
        const QByteArray ka = jet::sortKey(a.label), kb = jet::sortKey(b.label);
        return ka != kb ? ka < kb : a.keys.front() < b.keys.front();
    });
    return out;
}

}  // namespace duplicates
