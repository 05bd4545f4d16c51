#include "store/catalogue_search.h"

#include <sqlite3.h>

#include <QRegularExpression>

#include "store/duplicates.h"
#include "store/engine.h"
#include "store/jet_dialect.h"
#include "store/record_links.h"
#include "store/registers.h"

namespace search {
namespace {

// The texts searched in a register: one-line texts and notes, or only the one-line texts.
QStringList searchedColumns(int global, bool withNotes) {
    QStringList out;
    for (const FieldDef& f : registers::at(global).fields)
        if (f.kind == FieldKind::Text || (withNotes && f.kind == FieldKind::Notes)) out << f.column;
    return out;
}

// "(a LIKE ?n OR b LIKE ?n ...)" over `columns`, bare or after `prefix`.
QString anyColumn(const QStringList& columns, int parameter, const QString& prefix = {}) {
    QStringList terms;
    for (const QString& c : columns)
        terms << QStringLiteral("%1%2 LIKE ?%3").arg(prefix, jet::quoteName(c)).arg(parameter);
    return QLatin1Char('(') + terms.join(QStringLiteral(" OR ")) + QLatin1Char(')');
}

// The condition one word (parameter n) sets on a register's rows.
QString wordCondition(int global, int parameter) {
    if (global != registers::kGrabacion) return anyColumn(searchedColumns(global, true), parameter);
    const QString g = registers::at(global).table;
    QStringList terms{anyColumn(searchedColumns(global, true), parameter, g + QLatin1Char('.'))};
    for (int linked = registers::kCompositor; linked <= registers::kSoporte; ++linked)
        terms << links::existsSql(linked,
                                  anyColumn(searchedColumns(linked, false), parameter,
                                            registers::at(linked).table + QLatin1Char('.')));
    return QLatin1Char('(') + terms.join(QStringLiteral(" OR ")) + QLatin1Char(')');
}

// Reads the searched texts of record `key` of a register: column -> text.
QList<QPair<QString, QString>> texts(Connection& conn, int global, qint64 key, bool withNotes) {
    const QStringList columns = searchedColumns(global, withNotes);
    QStringList quoted;
    for (const QString& c : columns) quoted << jet::quoteName(c);
    sqlite3_stmt* st = conn.prepare(
        QStringLiteral("SELECT %1 FROM %2 WHERE Id = ?1")
            .arg(quoted.join(QStringLiteral(", ")), jet::quoteName(registers::at(global).table)));
    sqlite3_bind_int64(st, 1, key);
    QList<QPair<QString, QString>> out;
    const int rc = sqlite3_step(st);
    if (rc == SQLITE_ROW)
        for (int i = 0; i < columns.size(); ++i) out.append({columns[i], columnText(st, i)});
    sqlite3_reset(st);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) conn.fail(rc);
    return out;
}

// The caption a selection gives a field (for the recording, of the register it comes from).
QString captionOf(int global, const QString& column, int source = -1) {
    for (const VocabItem& v : registers::at(global).selFields)
        if (v.column == column && (source < 0 || v.sourceRegister == source)) return v.caption;
    return column;
}

QString fieldOf(Connection& conn, int global, qint64 key, const QString& pattern) {
    if (global != registers::kGrabacion) {
        for (const auto& [column, text] : texts(conn, global, key, true))
            if (jet::like(text, pattern)) return captionOf(global, column);
        return {};
    }
    const links::Recording r = links::read(conn, key);
    if (jet::like(r.notas, pattern))
        return captionOf(global, QStringLiteral("Notas"), registers::kGrabacion);
    for (int linked = registers::kCompositor; linked <= registers::kSoporte; ++linked) {
        QVector<qint64> keys = links::setTableOf(linked) ? r.set(linked) : QVector<qint64>{};
        if (!links::setTableOf(linked) && r.single(linked) != 0) keys << r.single(linked);
        for (qint64 k : keys)
            for (const auto& [column, text] : texts(conn, linked, k, false))
                if (jet::like(text, pattern)) return captionOf(global, column, linked);
    }
    return {};
}

}  // namespace

QStringList words(const QString& typed) {
    return typed.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

QString containsPattern(const QString& word) {
    QString out = QStringLiteral("*");
    for (const QChar c : word) {
        if (c == QLatin1Char('*') || c == QLatin1Char('?') || c == QLatin1Char('#') ||
            c == QLatin1Char('['))
            out += QLatin1Char('[') + c + QLatin1Char(']');
        else
            out += c;
    }
    return out + QLatin1Char('*');
}

QString statement(int global, int words) {
    QStringList conditions;
    for (int i = 0; i < words; ++i) conditions << wordCondition(global, i + 1);
    const QString table = jet::quoteName(registers::at(global).table);
    return QStringLiteral("SELECT %1.Id FROM %1 WHERE %2 ORDER BY %1.Id")
        .arg(table, conditions.join(QStringLiteral(" AND ")));
}

Result run(Connection& conn, const FormBasesDatos& hub, const QStringList& typed, int limit) {
    Result result;
    if (typed.isEmpty()) return result;
    QStringList patterns;
    for (const QString& w : typed) patterns << containsPattern(w);
    for (int g = 0; g < registers::kCount; ++g) {
        sqlite3_stmt* st = conn.prepare(statement(g, int(patterns.size())));
        std::vector<QByteArray> bound;
        for (int i = 0; i < patterns.size(); ++i) {
            bound.push_back(patterns[i].toUtf8());
            sqlite3_bind_text(st, i + 1, bound.back().constData(), int(bound.back().size()),
                              SQLITE_TRANSIENT);
        }
        std::vector<qint64> keys;
        int rc;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW) keys.push_back(sqlite3_column_int64(st, 0));
        sqlite3_reset(st);
        if (rc != SQLITE_DONE) conn.fail(rc);
        result.total += qint64(keys.size());
        for (qint64 key : keys) {
            if (qint64(result.shown.size()) >= limit) break;
            result.shown.push_back({g, key, duplicates::labelOf(conn, hub, g, key),
                                    fieldOf(conn, g, key, patterns.first())});
        }
    }
    return result;
}

}  // namespace search
