#pragma once
// The check of a catalogue's rows and indexes as it is compacted. The compacted copy keeps each
// index entry for entry, damage included; rebuilding them all costs several times the copy
// itself, so the check finds the ones that do not match their tables and only those are rebuilt.
#include <QStringList>

struct sqlite3;

namespace indexcheck {

// Reads every row of every table and every entry of every index. Throws DbError
// (dberr::kNotCatalogue) when a row breaks its table's NOT NULL rule or a table cannot be read.
// Returns the indexes to rebuild: those whose entries are not exactly their table's rows, in
// order, without a repeated key in a unique index, and those of a form this check does not read
// (an expression, a descending column, a collation other than the plain byte order).
QStringList indexesToRebuild(sqlite3* db);

}  // namespace indexcheck
