#pragma once
// Links from recordings to the records of "Registros I" they use. A recording names its
// composer, work and carrier by key in its own columns, and its orchestras, conductors and
// performers by key, in order, in one link table each. Links are keys, never copies, so a
// recording always shows its records' current values.
#include <QString>
#include <QVector>
#include <memory>

class Connection;
struct Context;

namespace links {

// A link table of a set register (Orquesta, Director, Interprete).
struct SetTable {
    int global;     // the register linked
    QString table;  // "GrabacionOrquesta"
    int max;        // most records a recording's set holds
};
const QVector<SetTable>& setTables();
// The link table of a register, or nullptr for a register that is not a set.
const SetTable* setTableOf(int global);
// The recording column naming the record of a single register (Compositor, Obra, Soporte), or "".
QString singleColumnOf(int global);

// The engine's words when a record that a recording uses is deleted anyway.
inline constexpr const char* kInUseMessage = "registro en uso por una grabación";

// SQL expression counting the recordings that use the record whose key is the SQL expression
// `key`, for a register 0-5; "0" for any other register.
QString usingCountSql(int global, const QString& key);

// How many recordings use the record `key` of register `global` (0-5); 0 for other registers.
// Throws DbError when the catalogue cannot be read.
int recordingsUsing(Context& ctx, int global, qint64 key);

// SQL condition over the recording table, true when the linked record of register `global`
// (for a set register: any of its records) satisfies `condition`, which names that register's
// columns bare.
QString existsSql(int global, const QString& condition);

// What a recording holds: its notes and the keys of the records it links.
struct Recording {
    qint64 compositor = 0, obra = 0, soporte = 0;  // 0 for none
    QVector<qint64> orquestas, directores, interpretes;
    QString notas;

    qint64 single(int global) const;
    void setSingle(int global, qint64 key);
    QVector<qint64>& set(int global);
    const QVector<qint64>& set(int global) const;
};

// Reads recording `key`; throws DbError (kNoCurrentRecord when there is no such recording).
Recording read(Connection& conn, qint64 key);

// Writes a recording and its links in one transaction: a new one when `key` is 0 (its key is
// returned), otherwise replaces recording `key`. Throws DbError; on failure nothing is written.
// Sets longer than their table's maximum, and links to records that do not exist, are refused
// (kInvalidArgument). With `keepNotes` an update leaves the stored notes as they are (whatever
// their length) and `rec.notas` is not used.
qint64 write(Connection& conn, qint64 key, const Recording& rec, bool keepNotes = false);

}  // namespace links
