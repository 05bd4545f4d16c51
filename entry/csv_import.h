#pragma once
// Reading a CSV file into a register: the text's encoding and separator, its records as RFC 4180
// writes them, the header's captions matched to the register's fields, and every row checked by
// the rules a typed record meets. No widgets here; the entry screen shows the outcome and adds
// the accepted rows.
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <vector>

#include "store/registers.h"

class Connection;
class FormBasesDatos;

namespace csvimport {

// The file's text: UTF-8 (with or without a byte-order mark), UTF-16 with its mark, otherwise
// Windows-1252. `isText` turns false for what no text file holds (NUL characters, many control
// characters).
QString decode(const QByteArray& bytes, bool* isText);

// Comma, semicolon or tab: the one found most often outside quotes in the first line (a comma
// when none is).
QChar separatorOf(const QString& text);

struct Record {
    qint64 line = 0;  // line of the file where it starts (the first line is 1)
    QStringList cells;
    bool closed = true;  // false when a quoted cell runs to the end of the file
};
// The records of RFC 4180 text: quoted cells with doubled quotes, CR, LF or CRLF ending a record
// and kept as they are inside quotes. A quote inside an unquoted cell is an ordinary character.
// Empty lines are skipped.
std::vector<Record> parse(const QString& text, QChar separator);

// A field of the register the import can write, with the captions its column may have.
struct Target {
    const FieldDef* field;
    QString caption;  // the listing's caption, shown in messages
};
// The fields an import writes, in table order.
QVector<Target> targets(const RegisterDef& def);

struct Refusal {
    qint64 line;
    QString reason;
};

struct Plan {
    QString problem;                  // not empty: the file is refused whole, nothing else is set
    QVector<const FieldDef*> fields;  // what each accepted row holds, in table order
    std::vector<QStringList> rows;    // accepted rows: stored values of `fields`
    QVector<Refusal> refused;
    QStringList matched;        // header captions taken, in file order
    QStringList ignored;        // header captions no field takes
    qint64 read = 0;            // data rows read
    QVector<qint64> rowLines;   // the file's line of each accepted row
    std::vector<bool> repeats;  // per accepted row: it repeats a record (see markRepeats)
    QVector<Refusal> repeated;  // the accepted rows that repeat a record, with why
};

// Reads a file's bytes for register `def` (any register with an entry screen but the
// recording's); texts come from the hub's message table, `path` names the file in them.
Plan prepare(const QByteArray& bytes, const RegisterDef& def, const FormBasesDatos& hub,
             const QString& path);

// Marks the accepted rows whose label text is that of a stored record of the register ("ya está
// en el catálogo") or of an earlier row of the file ("repetida en el archivo"), as "Guardar"
// compares them. `keepGoing(done)` is asked every few hundred rows; false throws DbError
// kCancelled. Throws DbError.
void markRepeats(Connection& conn, const RegisterDef& def, const FormBasesDatos& hub, Plan& plan,
                 const std::function<bool(qint64 done)>& keepGoing = {});
// Drops the rows markRepeats marked.
void leaveOutRepeats(Plan& plan);

// Adds the accepted rows to the register's table in one transaction, through one prepared
// statement; returns their keys in order. `keepGoing(done)` is asked every few hundred rows; when
// it answers false everything is rolled back and DbError kCancelled thrown. Throws DbError.
std::vector<qint64> insert(Connection& conn, const RegisterDef& def, const Plan& plan,
                           const std::function<bool(qint64 done)>& keepGoing);

}  // namespace csvimport
