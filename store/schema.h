#pragma once
// The catalogue file's schema: creating an empty catalogue, checking that a file is a catalogue
// this program can open, and upgrading an older one in place.
#include <QString>

struct sqlite3;

namespace schema {

// Marks a catalogue of this program (PRAGMA application_id).
inline constexpr int kApplicationId = 0x4F524D4C;  // "ORML"
// The schema version this build writes (PRAGMA user_version).
// Version 2 adds the tables of a recording's orchestras, conductors and performers.
inline constexpr int kVersion = 2;

// SQL creating every register table of a given schema version, as one script.
QString createScript(int version = kVersion);

// Creates an empty catalogue at `path`; fails when the file exists. Returns "" or the problem.
QString createEmpty(const QString& path);

// Checks the file before the program opens it and upgrades an older catalogue. Returns "" when it
// can be used, otherwise the Spanish text of the problem, which names the file. The file is
// never modified unless it is an older catalogue being upgraded.
QString checkAndUpgrade(const QString& path);

// Upgrades an open catalogue from `from` to kVersion, running each step inside the transaction
// the caller has opened (the caller commits, or rolls back on failure). Returns "" or the
// engine's words for the step that failed; nothing is committed here.
QString migrate(sqlite3* db, int from);

}  // namespace schema
