#pragma once
// Taking the user from a catalogue-wide tool to a record: the register's show screen on that
// record, with the register's selection set as the tool says.
#include <QtGlobal>
#include <vector>

struct Context;

// Opens register `global`'s show screen positioned on record `key`. With `group` empty the
// selection becomes all the register's records, as an applied "Todo"; otherwise it holds the
// records of `group`. Does nothing while a modification locks the panel. False when the record
// is no longer there or the panel is locked.
bool showRecord(Context& ctx, int global, qint64 key, const std::vector<qint64>& group = {});
