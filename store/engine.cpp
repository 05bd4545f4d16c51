#include "store/engine.h"

#include <sqlite3.h>

#include <QMap>
#include <QStringDecoder>
#include <algorithm>
#include <optional>

#include "store/field_rules.h"
#include "store/jet_dialect.h"
#include "store/key_query.h"
#include "store/ordered_selection.h"
#include "store/record_links.h"
#include "store/registers.h"
#include "store/schema.h"

namespace {

QString message(sqlite3* db) {
    return QString::fromUtf8(sqlite3_errmsg(db));
}

// Finds " ORDER BY " outside quoted text, case-insensitively; -1 when absent.
int findOrderBy(const QString& sql) {
    bool quoted = false;
    int found = -1;
    for (int i = 0; i < sql.size(); ++i) {
        QChar c = sql.at(i);
        if (c == QLatin1Char('\'')) quoted = !quoted;
        if (!quoted &&
            sql.mid(i, 10).compare(QLatin1String(" ORDER BY "), Qt::CaseInsensitive) == 0)
            found = i;
    }
    return found;
}

}  // namespace

int errorNumberFor(int code, const QString& msg) {
    switch (code & 0xFF) {
        case SQLITE_FULL:
            return dberr::kDiskFull;
        case SQLITE_READONLY:
            return dberr::kReadOnly;
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return dberr::kLocked;
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
            return dberr::kNotCatalogue;
        case SQLITE_CANTOPEN:
            return dberr::kCannotOpen;
        case SQLITE_IOERR:
            return dberr::kDiskError;
        case SQLITE_NOMEM:
            return dberr::kOutOfMemory;
        case SQLITE_TOOBIG:
            return dberr::kFieldTooSmall;
        case SQLITE_INTERRUPT:
            return dberr::kCancelled;
        case SQLITE_MISMATCH:
            return dberr::kTypeMismatch;
        default:
            break;
    }
    if (msg.contains(QLatin1String("too large")) || msg.contains(QLatin1String("stack overflow")) ||
        msg.contains(QLatin1String("too deep")) || msg.contains(QLatin1String("too many")) ||
        msg.contains(QLatin1String("too complex")))
        return dberr::kTooComplex;
    if (msg.contains(QString::fromUtf8(links::kInUseMessage))) return dberr::kRelatedRecords;
    if (msg.contains(QLatin1String("no such column"))) return dberr::kUnknownName;
    if (msg.contains(QLatin1String("no such table"))) return dberr::kNoTable;
    if (msg.contains(QLatin1String("syntax error")) ||
        msg.contains(QLatin1String("unrecognized")) ||
        msg.contains(QLatin1String("incomplete input")))
        return dberr::kSyntax;
    return dberr::kInvalidArgument;
}

Connection::Connection(const QString& path) : path_(path) {
    int rc = sqlite3_open_v2(path.toUtf8().constData(), &db_, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        QString m = db_ ? message(db_) : QString();
        sqlite3_close(db_);
        db_ = nullptr;
        throw DbError(errorNumberFor(rc, m), m);
    }
    sqlite3_extended_result_codes(db_, 0);
    sqlite3_busy_timeout(db_, 250);
    jet::install(db_);
}

void checkProgress(sqlite3* db, const std::function<bool()>* keepGoing, int steps) {
    if (!*keepGoing) {
        sqlite3_progress_handler(db, 0, nullptr, nullptr);
        return;
    }
    sqlite3_progress_handler(
        db, steps,
        [](void* f) { return (*static_cast<const std::function<bool()>*>(f))() ? 0 : 1; },
        const_cast<std::function<bool()>*>(keepGoing));
}

void Connection::setProgressCheck(std::function<bool()> keepGoing) {
    keepGoing_ = std::move(keepGoing);
    checkProgress(db_, &keepGoing_, 4000);
}

Connection::~Connection() {
    for (sqlite3_stmt* s : std::as_const(statements_)) sqlite3_finalize(s);
    sqlite3_close(db_);
}

void Connection::fail(int rc, const QString& context) {
    QString m = message(db_);
    if (!context.isEmpty()) m += QStringLiteral(" — ") + context;
    throw DbError(errorNumberFor(rc, m), m);
}

void Connection::exec(const QString& sql) {
    char* err = nullptr;
    int rc = sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &err);
    if (rc != SQLITE_OK) {
        QString m = err ? QString::fromUtf8(err) : message(db_);
        sqlite3_free(err);
        throw DbError(errorNumberFor(rc, m), m + QStringLiteral(" — ") + sql);
    }
}

void Connection::rollback() {
    if (!sqlite3_get_autocommit(db_)) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

sqlite3_stmt* Connection::prepare(const QString& sql) {
    auto it = statements_.find(sql);
    if (it != statements_.end()) {
        sqlite3_reset(*it);
        sqlite3_clear_bindings(*it);
        return *it;
    }
    sqlite3_stmt* st = nullptr;
    QByteArray text = sql.toUtf8();
    int rc = sqlite3_prepare_v3(db_, text.constData(), text.size(), SQLITE_PREPARE_PERSISTENT, &st,
                                nullptr);
    if (rc != SQLITE_OK) fail(rc, sql);
    statements_.insert(sql, st);
    return st;
}

QString columnText(sqlite3_stmt* st, int column) {
    const char* v = reinterpret_cast<const char*>(sqlite3_column_text(st, column));
    if (!v) return {};
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                    QStringConverter::Flag::ConvertInitialBom);
    return utf8.decode(QByteArrayView(v, sqlite3_column_bytes(st, column)));
}

const QStringList& Connection::columns(const QString& table) {
    auto it = columns_.find(table);
    if (it != columns_.end()) return *it;
    QStringList cols;
    sqlite3_stmt* st = prepare(QStringLiteral("SELECT name FROM pragma_table_info(?1)"));
    QByteArray t = table.toUtf8();
    sqlite3_bind_text(st, 1, t.constData(), t.size(), SQLITE_TRANSIENT);
    while (sqlite3_step(st) == SQLITE_ROW)
        cols << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_reset(st);
    if (cols.isEmpty()) throw DbError(dberr::kNoTable, QStringLiteral("no such table: ") + table);
    return *columns_.insert(table, cols);
}

std::shared_ptr<Connection> Connection::shared(const QString& path) {
    static QMap<QString, std::weak_ptr<Connection>> open;
    if (auto c = open.value(path).lock()) return c;
    auto c = std::make_shared<Connection>(path);
    open.insert(path, c);
    return c;
}

// ---------------------------------------------------------------------------------------------

Recordset::Recordset(std::shared_ptr<Connection> c, QString table, std::vector<qint64> keys)
    : conn_(std::move(c)), table_(std::move(table)), keys_(std::move(keys)) {
    pos_ = keys_.empty() ? -1 : 0;
}

void Recordset::setAbsolutePosition(long p) {
    if (p < 0 || p >= long(keys_.size()))
        throw DbError(dberr::kInvalidArgument, QStringLiteral("posición fuera del conjunto"));
    pos_ = p;
    deleted_ = false;
}

void Recordset::MoveFirst() {
    pos_ = keys_.empty() ? -1 : 0;
    deleted_ = false;
}

void Recordset::MoveLast() {
    pos_ = long(keys_.size()) - 1;
    deleted_ = false;
}

void Recordset::MoveNext() {
    if (deleted_) {
        deleted_ = false;  // the next record has slid into the deleted one's place
        return;
    }
    if (pos_ < long(keys_.size())) ++pos_;
}

void Recordset::loadRow() const {
    qint64 key = currentKey();
    if (key == cachedKey_ && key != 0) return;
    cachedRow_.clear();
    cachedKey_ = key;
    if (!key || !conn_) return;
    sqlite3_stmt* st =
        conn_->prepare(QStringLiteral("SELECT * FROM \"%1\" WHERE Id = ?1").arg(table_));
    sqlite3_bind_int64(st, 1, key);
    int rc = sqlite3_step(st);
    if (rc == SQLITE_ROW) {
        int n = sqlite3_column_count(st);
        for (int i = 0; i < n; ++i) {
            cachedRow_.insert(QString::fromUtf8(sqlite3_column_name(st, i)), columnText(st, i));
        }
    } else if (rc != SQLITE_DONE) {
        sqlite3_reset(st);
        cachedKey_ = 0;
        conn_->fail(rc);
    }
    sqlite3_reset(st);
}

QString Recordset::Field(const QString& name) const {
    if (EOF_()) return {};
    loadRow();
    return cachedRow_.value(name);
}

void Recordset::AddNew() {
    editing_ = Adding;
    pending_.clear();
}

void Recordset::Edit() {
    if (EOF_()) throw DbError(dberr::kNoCurrentRecord, QStringLiteral("no hay registro actual"));
    editing_ = Editing;
    pending_.clear();
}

void Recordset::setField(const QString& name, const QString& value) {
    if (editing_ == None)
        throw DbError(dberr::kInvalidArgument, QStringLiteral("el registro no se está editando"));
    const FieldDef* f = registers::findField(table_, name);
    if (!f || !conn_->columns(table_).contains(name))
        throw DbError(dberr::kUnknownName, QStringLiteral("campo desconocido: ") + name);
    if (f->isNumeric()) {
        // Every number column is a whole-number column.
        if (!rules::isWholeNumber(value))
            throw DbError(dberr::kTypeMismatch, QStringLiteral("no es un número entero: ") + value);
    } else if (f->maxLength > 0 && value.size() > f->maxLength) {
        throw DbError(dberr::kFieldTooSmall, QStringLiteral("texto demasiado largo para ") + name);
    }
    for (auto& p : pending_)
        if (p.first == name) {
            p.second = value;
            return;
        }
    pending_.append({name, value});
}

void Recordset::Update() {
    if (editing_ == None)
        throw DbError(dberr::kInvalidArgument, QStringLiteral("el registro no se está editando"));
    Mode mode = editing_;
    bool added = false;
    const Seen before = ownWriteStarts();
    auto values = pending_;
    editing_ = None;
    pending_.clear();
    auto bindAll = [&](sqlite3_stmt* st) {
        int i = 1;
        for (const auto& p : values) {
            const FieldDef* f = registers::findField(table_, p.first);
            if (f && f->isNumeric()) {
                // setField let only whole numbers through.
                sqlite3_bind_int64(st, i, qint64(rules::numericValue(p.second)));
            } else {
                QByteArray b = p.second.toUtf8();
                sqlite3_bind_text(st, i, b.constData(), b.size(), SQLITE_TRANSIENT);
            }
            ++i;
        }
    };
    conn_->transaction([&] {
        QString sql;
        if (mode == Adding) {
            QStringList names, marks;
            for (int i = 0; i < values.size(); ++i) {
                names << values[i].first;
                marks << QStringLiteral("?%1").arg(i + 1);
            }
            sql = names.isEmpty() ? QStringLiteral("INSERT INTO \"%1\" DEFAULT VALUES").arg(table_)
                                  : QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
                                        .arg(table_, names.join(QLatin1Char(',')),
                                             marks.join(QLatin1Char(',')));
        } else {
            if (values.isEmpty()) return;
            QStringList sets;
            for (int i = 0; i < values.size(); ++i)
                sets << QStringLiteral("%1 = ?%2").arg(values[i].first).arg(i + 1);
            sql = QStringLiteral("UPDATE \"%1\" SET %2 WHERE Id = ?%3")
                      .arg(table_, sets.join(QLatin1Char(',')))
                      .arg(values.size() + 1);
        }
        sqlite3_stmt* st = conn_->prepare(sql);
        bindAll(st);
        if (mode == Editing) sqlite3_bind_int64(st, values.size() + 1, currentKey());
        int rc = sqlite3_step(st);
        sqlite3_reset(st);
        if (rc != SQLITE_DONE) conn_->fail(rc, sql);
        // The record's sort keys are written with it, so no later statement has to.
        if (const RegisterDef* d = registers::byTable(table_)) {
            rc = schema::freshenKeys(conn_->db(), *d);
            if (rc != SQLITE_OK) conn_->fail(rc, sql);
        }
        if (mode == Adding) {
            const qint64 key = sqlite3_last_insert_rowid(conn_->db());
            added = keys_.empty() || key > keys_.back();
            keys_.push_back(key);
        }
    });
    cachedKey_ = 0;
    ownWriteDone(before, mode == Editing || added);
}

Recordset::Seen Recordset::seenNow(Connection& c) {
    Seen s;
    s.changes = sqlite3_total_changes64(c.db());
    sqlite3_stmt* st = c.prepare(QStringLiteral("PRAGMA data_version"));
    if (sqlite3_step(st) == SQLITE_ROW) s.dataVersion = sqlite3_column_int64(st, 0);
    sqlite3_reset(st);
    return s;
}

bool Recordset::keysCurrent(const std::shared_ptr<Connection>& c, const QString& table) const {
    return conn_ == c && table_ == table && seen_.changes >= 0 && editing_ == None &&
           seen_ == seenNow(*c);
}

void Recordset::rewind() {
    pos_ = keys_.empty() ? -1 : 0;
    deleted_ = false;
    cachedKey_ = 0;
    cachedRow_.clear();
}

Recordset::Seen Recordset::ownWriteStarts() {
    // Only a recordset whose keys are current when it writes can know them current after.
    Seen before;
    if (seen_.changes >= 0 && seen_ == seenNow(*conn_)) before = seen_;
    seen_ = Seen();  // a write that fails leaves them unknown
    return before;
}

void Recordset::ownWriteDone(const Seen& before, bool keysKept) {
    if (before.changes < 0 || !keysKept) return;
    const Seen now = seenNow(*conn_);
    // Another program's commit in between shows as a new data version.
    if (now.dataVersion == before.dataVersion) seen_ = now;
}

void Recordset::Delete() {
    if (EOF_()) throw DbError(dberr::kNoCurrentRecord, QStringLiteral("no hay registro actual"));
    qint64 key = keys_[pos_];
    const Seen before = ownWriteStarts();
    conn_->transaction([&] {
        sqlite3_stmt* st =
            conn_->prepare(QStringLiteral("DELETE FROM \"%1\" WHERE Id = ?1").arg(table_));
        sqlite3_bind_int64(st, 1, key);
        int rc = sqlite3_step(st);
        sqlite3_reset(st);
        if (rc != SQLITE_DONE) conn_->fail(rc);
    });
    keys_.erase(keys_.begin() + pos_);
    deleted_ = true;
    cachedKey_ = 0;
    ownWriteDone(before, true);
}

// ---------------------------------------------------------------------------------------------

namespace {

// A record source's table and what follows it ("WHERE ... ORDER BY ..."); throws on anything
// that is not "SELECT * FROM table ..." or a bare table name.
QString splitSource(const QString& source, QString* table) {
    QString s = source.trimmed();
    static const QString head = QStringLiteral("SELECT * FROM ");
    QString rest;
    if (s.startsWith(head, Qt::CaseInsensitive)) {
        rest = s.mid(head.size()).trimmed();
    } else if (!s.contains(QLatin1Char(' ')) && !s.isEmpty()) {
        rest = s;
    } else {
        throw DbError(dberr::kSyntax, QStringLiteral("origen de registros no válido: ") + source);
    }
    int end = 0;
    while (end < rest.size() &&
           (rest.at(end).isLetterOrNumber() || rest.at(end) == QLatin1Char('_')))
        ++end;
    QString t = rest.left(end);
    if (t.isEmpty())
        throw DbError(dberr::kSyntax, QStringLiteral("origen de registros no válido: ") + source);
    if (table) *table = t;
    return rest.mid(end);
}

}  // namespace

QString DataControl::keyQuery(const QString& source, QString* table, bool* ordered,
                              QStringList* keyedTables, QString* filterQuery, QString* orderText) {
    QString t;
    const QString tail = splitSource(source, &t);
    if (table) *table = t;
    int ob = findOrderBy(tail);
    if (ordered) *ordered = ob >= 0;
    const keyquery::Translation translated = keyquery::translate(tail);
    if (keyedTables) *keyedTables = translated.keyedTables;
    const QString head = QStringLiteral("SELECT Id FROM \"%1\"").arg(t);
    QString q = head + translated.sql;
    if (ob >= 0) {
        q += QStringLiteral(", Id");
        if (filterQuery) *filterQuery = head + keyquery::translate(tail.left(ob)).sql;
        if (orderText) *orderText = tail.mid(ob + 10);
    }
    return q;
}

std::shared_ptr<Connection> DataControl::connection() {
    if (!conn_ || conn_->path() != DatabaseName) conn_ = Connection::shared(DatabaseName);
    return conn_;
}

void DataControl::Refresh() {
    QString table;
    bool ordered = false;
    QStringList keyedTables;
    QString filters, order;
    QString q = keyQuery(RecordSource, &table, &ordered, &keyedTables, &filters, &order);
    auto c = connection();
    c->columns(table);  // an unknown table fails here with its own number
    // Keys left empty by another tool or a bulk write are computed before a statement reads them.
    for (const QString& t : std::as_const(keyedTables))
        if (const RegisterDef* d = registers::byTable(t)) {
            const int rc = schema::freshenKeys(c->db(), *d);
            if (rc != SQLITE_OK) c->fail(rc, RecordSource);
        }
    sqlite3_stmt* st = nullptr;
    QByteArray text = q.toUtf8();
    const char* tail = nullptr;
    int rc = sqlite3_prepare_v2(c->db(), text.constData(), text.size(), &st, &tail);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(st);
        c->fail(rc, RecordSource);
    }
    // A record source is one statement: nothing may follow it but blanks and a semicolon, and
    // nothing may cut it short (a NUL character ends the engine's reading of a text).
    for (const char* end = text.constData() + text.size(); tail && tail < end; ++tail) {
        if (*tail == ' ' || *tail == '\t' || *tail == '\r' || *tail == '\n' || *tail == ';')
            continue;
        sqlite3_finalize(st);
        throw DbError(dberr::kTextAfterEnd,
                      QStringLiteral("text after the end of: ") + RecordSource);
    }
    // The whole table in order of entry, read before and changed since only by this recordset's
    // own saves and deletes (which keep its keys as the table's): no need to read a million keys
    // again after every save.
    const bool wholeTable = !ordered && q == QStringLiteral("SELECT Id FROM \"%1\"").arg(table);
    if (wholeTable && q == loadedQuery_ && rs_.keysCurrent(c, table)) {
        sqlite3_finalize(st);
        rs_.rewind();
        return;
    }
    const Recordset::Seen seen = Recordset::seenNow(*c);
    std::vector<qint64> keys;
    std::optional<std::vector<qint64>> sorted;
    if (ordered) {
        // Filters first, then the order from the field's index, when the order is on one field.
        try {
            sorted = ordered::select(*c, table, order, filters);
        } catch (...) {
            sqlite3_finalize(st);
            throw;
        }
    }
    if (sorted) {
        sqlite3_finalize(st);
        keys = std::move(*sorted);
    } else {
        keys.reserve(size_t(rs_.RecordCount()) + 16);
        while ((rc = sqlite3_step(st)) == SQLITE_ROW) keys.push_back(sqlite3_column_int64(st, 0));
        sqlite3_finalize(st);
        if (rc != SQLITE_DONE) c->fail(rc, RecordSource);
    }
    // Without an ORDER BY the engine may walk a smaller index; order of entry is key order.
    if (!ordered) std::sort(keys.begin(), keys.end());
    rs_ = Recordset(c, table, std::move(keys));
    loadedQuery_ = q;
    if (wholeTable) rs_.seen_ = seen;
}

void DataControl::close() {
    rs_ = Recordset();
    conn_.reset();
}
