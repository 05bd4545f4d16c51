#pragma once
// A selection sorted on one field, read without asking the engine to sort: the records that pass
// the filters are found first (over the short fields' index), then put in order either by
// walking the field's index and keeping those records, or, when they are few, by sorting them on
// their own keys. Ties keep the order of entry in both directions, as "ORDER BY field, Id" does.
#include <QString>
#include <optional>
#include <vector>

class Connection;

namespace ordered {

// The keys of `SELECT Id FROM table <tail>` in the tail's order, or nothing when the tail is not
// filters followed by an order on one indexed field (the caller then runs it as written).
// `filterQuery` is the translated statement without its order. Throws DbError.
std::optional<std::vector<qint64>> select(Connection& c, const QString& table, const QString& tail,
                                          const QString& filterQuery);

// Which of the two ways a sort took last (for the benchmark and the tests).
enum class Way { None, Walk, Sort };
Way lastWay();
// Forces a way (None: the program chooses), for measuring both.
void forceWay(Way w);

}  // namespace ordered
