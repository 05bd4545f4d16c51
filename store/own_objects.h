#pragma once
// The catalogue's own indexes and triggers: those a fresh catalogue of this version has, made
// again at start-up when another tool dropped one, and an own index found damaged named in the
// refusal of the file.
#include <QList>
#include <QString>

struct sqlite3;

namespace schema {

struct OwnObject {
    QString type;  // "index" or "trigger"
    QString name;
    QString table;
    QString sql;
};

// Every index and trigger of a fresh catalogue of this version, read from one made in memory by
// createScript(): a later version's objects are covered without a list of their own.
const QList<OwnObject>& ownObjects();

// Inside the caller's transaction, makes every own object missing from `db`. A register table
// that had lost a trigger has its sort keys computed again: a text changed while the trigger was
// gone kept the key of its old text. Sets `*made` to the number of objects made; returns SQLITE_OK
// or the engine's code (its message is the connection's).
int restoreOwnObjects(sqlite3* db, int* made);

// After the engine reported damage: the refusal naming the indexes that do not match their
// tables, or "" when none was found.
QString damagedIndexes(sqlite3* db, const QString& path);

}  // namespace schema
