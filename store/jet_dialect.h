#pragma once
// The text rules of the catalogue's query dialect, installed on every connection: Spanish,
// case-insensitive comparison and order, and LIKE with "*", "?", "#" and "[...]" that also ignores
// accents.
#include <QString>

struct sqlite3;

namespace jet {

// Name of the collation every text column of the catalogue is declared with.
inline constexpr const char* kCollation = "ORMELIA";

// The SQL function giving a text's sort key (see sortKey); an empty key for NULL.
inline constexpr const char* kSortKeyFunction = "ormelia_clave";

// Registers the collation, the LIKE function and the sort-key function on a connection.
void install(sqlite3* db);

// Three-way comparison under the catalogue's collation (case ignored, ñ after n, accents second).
int compare(const QString& a, const QString& b);

// A text's sort key: bytes whose plain byte order (memcmp, shorter first) is the collation's
// order, equal exactly when the collation finds the texts equal. Primary weights first (one
// byte each for Latin letters), then, only when some letter bears an accent, a zero byte and
// the accent weights. A run of digits weighs as its number ("BWV 147" before "BWV 1051"), its
// leading zeros only breaking ties. Lets the catalogue keep its order in a column any SQLite
// tool can read. `primaryOnly` leaves the tie-breaking weights out: every text equal to this one
// but for accents and leading zeros has a key that is this one or starts with it and a zero byte.
QByteArray sortKey(const QString& text, bool primaryOnly = false);

// A text as LIKE compares it: lower case, no accents, ñ kept as its own letter.
QString folded(const QString& text);

// Jet LIKE: pattern with "*" (any run), "?" (one character), "#" (one digit), "[abc]" / "[!abc]";
// letter case and accents ignored. `steps`, when given, gets the number of comparisons made (for
// tests of the matcher's cost).
bool like(const QString& text, const QString& pattern, qint64* steps = nullptr);

// Quotes a typed value as a text literal, doubling its apostrophes.
QString quote(const QString& value);
// Quotes a table, column or index name, doubling its quotation marks.
QString quoteName(const QString& name);

}  // namespace jet
