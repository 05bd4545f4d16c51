#pragma once
// Records that repeat one another: a register's records sharing a label text (case, accents and
// outer blanks aside), and recordings that link the same records. The entry screens ask before
// saving such a record, the import leaves such rows out, and the report screen lists them.
#include <QHash>
#include <QSet>
#include <QString>
#include <functional>
#include <vector>

#include "store/record_links.h"

class Connection;
class FormBasesDatos;

namespace duplicates {

// A record found equal to another: its key (0 for none) and its label text.
struct Match {
    qint64 key = 0;
    QString label;
};

// The label text a record of a register would have with these stored values (by column), its
// parts without their outer blanks, in the form labels compare in.
QString comparableLabel(const FormBasesDatos& hub, int global,
                        const QHash<QString, QString>& values);

// The record of lowest key of register `global` (not the recording) whose label text is that of
// `values`. Looks among the records whose probe column (see probeColumn) holds the same letters,
// through that column's index, so it costs a few index steps whatever the catalogue's size.
// Throws DbError.
Match findEqual(Connection& conn, const FormBasesDatos& hub, int global,
                const QHash<QString, QString>& values);
// The comparable labels (comparableLabel's form) of every record of register `global` (not the
// recording), read in one pass: many look-ups at once, as an import's, cost one scan instead of
// one index range each. `keepGoing` as for groups. Throws DbError.
QSet<QString> storedLabels(Connection& conn, const FormBasesDatos& hub, int global,
                           const std::function<bool(qint64)>& keepGoing = {});
// The column findEqual looks up: a text of the label with an index on its sort key, an
// identifier when there is one.
QString probeColumn(int global);

// The recording of lowest key linking the same composer, work, carrier and the same orchestras,
// conductors and performers in the same order. Throws DbError.
Match findEqualRecording(Connection& conn, const FormBasesDatos& hub, const links::Recording& r);

// A recording's label text: its composer's, work's and carrier's labels, joined by " - ".
QString recordingLabel(Connection& conn, const FormBasesDatos& hub, const links::Recording& r);
// The label text of record `key` of a register, read from the catalogue ("" when there is no
// such record). Throws DbError.
QString labelOf(Connection& conn, const FormBasesDatos& hub, int global, qint64 key);

// Records sharing a label text: its text (as the first record has it) and their keys in order.
struct Group {
    QString label;
    std::vector<qint64> keys;
};
// Every group of two or more records of a register, in the order of their labels. `keepGoing`
// is asked with the records read so far every thousand records; answering false stops with
// DbError kCancelled.
std::vector<Group> groups(Connection& conn, const FormBasesDatos& hub, int global,
                          const std::function<bool(qint64)>& keepGoing = {});

}  // namespace duplicates
