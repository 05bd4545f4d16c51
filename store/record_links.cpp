#include "store/record_links.h"

namespace links {

int recordingsUsing(Context&, int, qint64) {
    return 0;
}

}  // namespace links
