#pragma once
// The catalogue file's schema: creating an empty catalogue, checking that a file is a catalogue
// this program can open, and upgrading an older one in place.
#include <QString>
#include <QStringList>
#include <functional>

struct sqlite3;
struct RegisterDef;

namespace schema {

// Marks a catalogue of this program (PRAGMA application_id).
inline constexpr int kApplicationId = 0x4F524D4C;  // "ORML"
// The schema version this build writes (PRAGMA user_version).
// Version 2 adds the tables of a recording's orchestras, conductors and performers; version 3
// takes the collation out of the schema and keeps a sort key beside every text of one line;
// version 4 orders a run of digits in those keys by its value ("BWV 147" before "BWV 1051");
// version 5, the settings step, adds the table of the catalogue's own settings (`Ajustes`).
inline constexpr int kSettingsStep = 4;  // the version it upgrades from
inline constexpr int kVersion = 5;

// SQL creating every register table of a given schema version, as one script.
QString createScript(int version = kVersion);

// Creates an empty catalogue at `path`; fails when the file exists. Returns "" or the problem.
QString createEmpty(const QString& path);

// Checks the file before the program opens it and upgrades an older catalogue. Returns "" when it
// can be used, otherwise the Spanish text of the problem, which names the file. The file is
// never modified unless it is an older catalogue being upgraded (or rows another tool wrote get
// their sort keys). `keepGoing` is asked every few thousand steps of that work; once it answers
// false everything is rolled back and `*cancelled` set.
QString checkAndUpgrade(const QString& path, const std::function<bool()>& keepGoing = {},
                        bool* cancelled = nullptr);

// Upgrades an open catalogue from `from` to kVersion, running each step inside the transaction
// the caller has opened (the caller commits, or rolls back on failure). Returns "" or the
// engine's words for the step that failed; nothing is committed here.
QString migrate(sqlite3* db, int from);

// The texts of one line of a register, each of which has a sort key beside it.
QStringList keyedColumns(const RegisterDef& d);
// The column holding a text's sort key ("Apellidos" -> "Apellidos_clave").
QString keyColumn(const QString& column);
// Whether `column` has a sort key in every register table that has it, so that a statement may
// name the key wherever it names the column.
bool keyedEverywhere(const QString& column);
// Whether `column` is a text the program compares under its collation (every text but a
// picture's path) in some register table.
bool collatedAnywhere(const QString& column);

// Computes the sort keys another tool (or a bulk write) left empty in a register table. Reads
// only, when there are none. Returns SQLITE_OK or the engine's code; the caller reports it.
int freshenKeys(sqlite3* db, const RegisterDef& d);

}  // namespace schema
