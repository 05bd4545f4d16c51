#pragma once
// SQLite alone, for the counterpart times: a connection of its own to the catalogue with the
// catalogue's collation and LIKE installed (its columns and indexes need them), and nothing of
// the program's engine layer.
#include <QHash>
#include <QString>
#include <QStringList>

struct sqlite3;
struct sqlite3_stmt;

namespace bench {

class RawDb {
  public:
    explicit RawDb(const QString& path);
    ~RawDb();
    RawDb(const RawDb&) = delete;
    RawDb& operator=(const RawDb&) = delete;

    sqlite3* db() const { return db_; }
    void exec(const QString& sql);
    qint64 scalar(const QString& sql);
    // Runs a query to its end reading the first column of every row; returns the row count.
    qint64 stepAll(const QString& sql);
    // Reads every column of the row with key `id` as text, as a screen showing it would.
    void readRow(const QString& table, qint64 id);
    // An INSERT, UPDATE or DELETE with text arguments, in one write transaction.
    void write(const QString& sql, const QStringList& args);

  private:
    // Prepared once and reused, as a careful direct user of SQLite would.
    sqlite3_stmt* statement(const QString& sql);
    sqlite3* db_ = nullptr;
    QHash<QString, sqlite3_stmt*> statements_;
};

}  // namespace bench
