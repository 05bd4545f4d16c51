#include "listing/page_layout.h"

namespace listing {

qint64 rowsPerPage(int zoom, bool overflow) {
    const float free = kGridHeight - kHeaderRow - (overflow ? kGridBar : 0);
    return qint64(free / (kRowUnit * float(zoom)));
}

qint64 pageCount(qint64 records, qint64 rows) {
    if (rows <= 0 || records <= 0) return 1;
    return records / rows + (records % rows ? 1 : 0);
}

float gridLeft(bool pictures, int zoom) {
    return kFondoLeft + 30 + (pictures ? pictureColumn(zoom) : 0);
}

float gridWidth(bool pictures, int zoom, bool pageBarShown) {
    if (pictures) return kPageBarLeft - gridLeft(true, zoom) + (pageBarShown ? 0 : kPageBarWidth);
    return kFondoWidth - 60 - (pageBarShown ? kPageBarWidth : 0);
}

PageLayout pageLayout(qint64 records, int zoom, bool pictures, float columnsWidth) {
    const bool narrow = columnsWidth > gridWidth(pictures, zoom, true);
    const qint64 d = rowsPerPage(zoom, narrow);
    if (d > 0 && records > d) return {narrow, d, pageCount(records, d), true};
    // One page at most: the grid takes the bar's place and may hold more columns.
    const bool wide = columnsWidth > gridWidth(pictures, zoom, false);
    const qint64 d1 = rowsPerPage(zoom, wide);
    if (d1 > 0 && records <= d1) return {wide, d1, 1, false};
    return {true, 0, 1, true};
}

}  // namespace listing
