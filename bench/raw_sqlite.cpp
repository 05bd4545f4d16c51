#include "bench/raw_sqlite.h"

#include <sqlite3.h>

#include <stdexcept>

#include "store/jet_dialect.h"

namespace bench {
namespace {

[[noreturn]] void fail(sqlite3* db, const QString& sql) {
    throw std::runtime_error(
        (QString::fromUtf8(sqlite3_errmsg(db)) + QStringLiteral(" — ") + sql).toStdString());
}

sqlite3_stmt* prepare(sqlite3* db, const QString& sql) {
    sqlite3_stmt* st = nullptr;
    QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(db, text.constData(), int(text.size()), &st, nullptr) != SQLITE_OK)
        fail(db, sql);
    return st;
}

}  // namespace

RawDb::RawDb(const QString& path) {
    if (sqlite3_open_v2(path.toUtf8().constData(), &db_, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK)
        fail(db_, path);
    jet::install(db_);
}

RawDb::~RawDb() {
    for (sqlite3_stmt* s : std::as_const(statements_)) sqlite3_finalize(s);
    sqlite3_close(db_);
}

sqlite3_stmt* RawDb::statement(const QString& sql) {
    sqlite3_stmt*& st = statements_[sql];
    if (!st) st = prepare(db_, sql);
    sqlite3_reset(st);
    sqlite3_clear_bindings(st);
    return st;
}

void RawDb::exec(const QString& sql) {
    if (sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        fail(db_, sql);
}

qint64 RawDb::scalar(const QString& sql) {
    sqlite3_stmt* st = prepare(db_, sql);
    qint64 v = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int64(st, 0) : -1;
    sqlite3_finalize(st);
    return v;
}

qint64 RawDb::stepAll(const QString& sql) {
    sqlite3_stmt* st = prepare(db_, sql);
    qint64 n = 0;
    volatile qint64 sink = 0;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        sink = sink + sqlite3_column_int64(st, 0);
        ++n;
    }
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE) fail(db_, sql);
    return n;
}

void RawDb::readRow(const QString& table, qint64 id) {
    sqlite3_stmt* st = statement(QStringLiteral("SELECT * FROM %1 WHERE Id = ?").arg(table));
    sqlite3_bind_int64(st, 1, id);
    if (sqlite3_step(st) == SQLITE_ROW) {
        QStringList values;
        for (int i = 0; i < sqlite3_column_count(st); ++i)
            values << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i)),
                                        sqlite3_column_bytes(st, i));
    }
    sqlite3_reset(st);
}

void RawDb::write(const QString& sql, const QStringList& args) {
    exec(QStringLiteral("BEGIN IMMEDIATE"));
    sqlite3_stmt* st = statement(sql);
    for (int i = 0; i < args.size(); ++i) {
        QByteArray b = args[i].toUtf8();
        sqlite3_bind_text(st, i + 1, b.constData(), int(b.size()), SQLITE_TRANSIENT);
    }
    int rc = sqlite3_step(st);
    sqlite3_reset(st);
    if (rc != SQLITE_DONE) {
        exec(QStringLiteral("ROLLBACK"));
        fail(db_, sql);
    }
    exec(QStringLiteral("COMMIT"));
}

}  // namespace bench
