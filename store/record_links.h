#pragma once
// Links from recordings to the records of "Registros I" they use.
#include <QtGlobal>

struct Context;

namespace links {

// How many recordings use the record `key` of register `global` (0-5); 0 for other registers.
int recordingsUsing(Context& ctx, int global, qint64 key);

}  // namespace links
