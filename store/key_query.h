#pragma once
// The conditions and orders of a record source, written for the program's rules, turned into
// what the catalogue's plain SQLite schema holds: texts compare under the program's collation,
// and a comparison with a typed text or an order on a text of one line uses the sort key kept
// beside that text (so it compares bytes and walks the key's index). A range (<, >) on a number
// or a key is kept off the field's index: the short fields' index read whole is the better plan.
#include <QString>
#include <QStringList>

namespace keyquery {

struct Translation {
    QString sql;
    QStringList keyedTables;  // register tables whose sort keys the statement reads
};

// Translates the part of a record source after its table name ("WHERE ... ORDER BY ...").
// Text in quotes is left as it is.
Translation translate(const QString& tail);

}  // namespace keyquery
