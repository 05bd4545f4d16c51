#pragma once
// The engine layer: data-source controls and their recordsets over one SQLite connection to the
// catalogue file. A recordset keeps only the keys of its rows, in order, and reads the fields of
// the current row by key when asked, so counting, moving and paging cost no field reads.
#include <QHash>
#include <QString>
#include <QStringList>
#include <exception>
#include <functional>
#include <memory>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// A numbered engine error; `number` is what the user sees after "Se ha producido el ERROR: ".
struct DbError : std::exception {
    DbError(int n, QString d) : number(n), detail(std::move(d)) {}
    int number;
    QString detail;
    const char* what() const noexcept override { return "catalogue engine error"; }
};

// Well-known error numbers of the dialect.
namespace dberr {
inline constexpr int kInvalidArgument = 3001;
inline constexpr int kNoCurrentRecord = 3021;
inline constexpr int kDiskFull = 3026;
inline constexpr int kReadOnly = 3027;
inline constexpr int kDiskError = 3043;
inline constexpr int kCannotOpen = 3051;
inline constexpr int kUnknownName = 3061;
inline constexpr int kSyntax = 3075;
inline constexpr int kNoTable = 3078;
inline constexpr int kFieldTooSmall = 3163;
inline constexpr int kLocked = 3218;
inline constexpr int kNotCatalogue = 3343;
inline constexpr int kTooComplex = 3360;
inline constexpr int kTextAfterEnd = 3142;    // characters found after the end of a statement
inline constexpr int kRelatedRecords = 3200;  // a recording uses the record
inline constexpr int kTypeMismatch = 3421;
inline constexpr int kOutOfMemory = 7;
inline constexpr int kCancelled = 3059;  // the user stopped a long statement
}  // namespace dberr

// The text of a result column, exactly as stored: a byte-order mark at its start is the user's
// character, not a marker to drop. A null column gives a null string.
QString columnText(sqlite3_stmt* st, int column);

// One open connection to a catalogue file, shared by every data control on that file.
class Connection {
  public:
    // Opens an existing catalogue for reading and writing; throws DbError.
    explicit Connection(const QString& path);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    sqlite3* db() const { return db_; }
    const QString& path() const { return path_; }

    // Runs statements with no result; throws DbError.
    void exec(const QString& sql);
    // A cached prepared statement, reset and with bindings cleared.
    sqlite3_stmt* prepare(const QString& sql);
    // Throws the DbError for the connection's last failure.
    [[noreturn]] void fail(int rc, const QString& context = {});

    // Runs `body` inside one write transaction (BEGIN IMMEDIATE ... COMMIT); rolls back on throw.
    template <class F>
    void transaction(F&& body) {
        exec(QStringLiteral("BEGIN IMMEDIATE"));
        try {
            body();
            exec(QStringLiteral("COMMIT"));
        } catch (...) {
            rollback();
            throw;
        }
    }
    void rollback();

    // While set, a long statement asks `keepGoing` every few thousand engine steps and stops
    // with kCancelled when it answers false. Unset with an empty function.
    void setProgressCheck(std::function<bool()> keepGoing);

    // The shared connection for a path, opened on first use and closed with its last user.
    static std::shared_ptr<Connection> shared(const QString& path);

    // The columns of a table, in order (cached).
    const QStringList& columns(const QString& table);

  private:
    QString path_;
    sqlite3* db_ = nullptr;
    QHash<QString, sqlite3_stmt*> statements_;
    QHash<QString, QStringList> columns_;
    std::function<bool()> keepGoing_;
};

// Maps an SQLite result code and message to the dialect's error number.
int errorNumberFor(int sqliteCode, const QString& message);

// Asks `*keepGoing` every `steps` steps of the engine on `db` (an empty function: never); once it
// answers false the running statement stops with SQLITE_INTERRUPT (error dberr::kCancelled).
// `keepGoing` must outlive the statements run meanwhile.
void checkProgress(sqlite3* db, const std::function<bool()>* keepGoing, int steps = 1000);

class Recordset {
    friend class DataControl;

  public:
    Recordset() = default;
    Recordset(std::shared_ptr<Connection> c, QString table, std::vector<qint64> keys);

    long RecordCount() const { return long(keys_.size()); }
    long AbsolutePosition() const { return EOF_() ? -1 : pos_; }
    void setAbsolutePosition(long p);
    bool EOF_() const { return pos_ < 0 || pos_ >= long(keys_.size()) || deleted_; }
    void MoveFirst();
    void MoveLast();
    void MoveNext();

    // Value of a field of the current record as text ("" with no current record).
    QString Field(const QString& name) const;
    qint64 currentKey() const { return EOF_() ? 0 : keys_[pos_]; }
    const std::vector<qint64>& keys() const { return keys_; }
    const QString& table() const { return table_; }

    void AddNew();
    void Edit();
    // Sets a field of the record being added or edited; numeric columns take digit text.
    void setField(const QString& name, const QString& value);
    void Update();
    void CancelUpdate() {
        editing_ = None;
        pending_.clear();
    }
    void Delete();

    // The catalogue's state as this recordset last saw it: the connection's own changes and the
    // other connections' commits. Its keys are those of its table while both are unchanged.
    struct Seen {
        qint64 changes = -1, dataVersion = -1;
        bool operator==(const Seen& o) const {
            return changes == o.changes && dataVersion == o.dataVersion;
        }
    };
    static Seen seenNow(Connection& c);
    // True when a re-run of the whole table, in order of entry, would give these same keys.
    bool keysCurrent(const std::shared_ptr<Connection>& c, const QString& table) const;
    // Back to the first record, as a re-open leaves it.
    void rewind();
    // The current record is read again at its next use (another statement changed it).
    void forgetRow() { cachedKey_ = 0; }

  private:
    enum Mode { None, Adding, Editing };
    void loadRow() const;
    // Around a write of this recordset's own: its keys stay current when they were before and
    // the write kept them the table's.
    Seen ownWriteStarts();
    void ownWriteDone(const Seen& before, bool keysKept);

    std::shared_ptr<Connection> conn_;
    QString table_;
    std::vector<qint64> keys_;
    long pos_ = -1;
    bool deleted_ = false;
    Mode editing_ = None;
    QList<QPair<QString, QString>> pending_;
    mutable qint64 cachedKey_ = 0;
    mutable QHash<QString, QString> cachedRow_;
    Seen seen_;  // when the keys were last known current ({-1, -1}: never, or no longer)
};

class DataControl {
  public:
    QString DatabaseName;
    QString RecordSource;

    // Re-opens the recordset from RecordSource; the first record becomes current. Throws DbError.
    void Refresh();
    Recordset& recordset() { return rs_; }
    const Recordset& recordset() const { return rs_; }
    // Releases the catalogue file.
    void close();
    std::shared_ptr<Connection> connection();

    // The key query a record source runs as: "SELECT Id FROM ..." in the source's order, ties and
    // the unordered case in order of entry. Exposed for the benchmark and the tests.
    // `keyedTables` gets the register tables whose sort keys it reads; for an ordered source,
    // `filterQuery` gets the same query without its order and `orderText` what follows ORDER BY.
    static QString keyQuery(const QString& recordSource, QString* table, bool* ordered,
                            QStringList* keyedTables = nullptr, QString* filterQuery = nullptr,
                            QString* orderText = nullptr);

  private:
    std::shared_ptr<Connection> conn_;
    Recordset rs_;
    QString loadedQuery_;  // the key query rs_ was read with
};
