#pragma once
// Geometry of a listing page, in twips: how many records a page holds at a zoom, how many pages a
// selection takes, and where the grid stands beside the picture column and the page bar.
#include <QtGlobal>

namespace listing {

// The listing area as designed.
inline constexpr float kFondoLeft = 165, kFondoTop = 120, kFondoWidth = 9990, kFondoHeight = 6360;
inline constexpr float kGridLeft = 1695, kGridTop = 150, kGridWidth = 8430, kGridHeight = 6300;
inline constexpr float kPageBarLeft = 9885, kPageBarWidth = 240;
inline constexpr float kHeaderRow = 300, kRowUnit = 300, kNumberColumn = 495;
// Qt's own default column width, fixed so that overflow does not depend on the style.
inline constexpr float kDefaultColumn = 1740;
// Height the grid's own horizontal bar takes when its columns overflow.
inline constexpr float kGridBar = 240;
inline constexpr int kMinZoom = 1, kMaxZoom = 20;

// Records per page: Int((grid height - header row - bar) / (300 × zoom)).
qint64 rowsPerPage(int zoom, bool overflow);
// Pages for `records` at `rows` per page: records / rows rounded up (at least 1).
qint64 pageCount(qint64 records, qint64 rows);
// Side of the square a row's picture is fitted into.
inline float pictureSide(int zoom) {
    return kRowUnit * float(zoom) - 15;
}
// The picture column: a row's square, and never narrower than its title "Imagen" needs.
inline constexpr float kPictureTitleWidth = 660;
inline float pictureColumn(int zoom) {
    return qMax(kRowUnit * float(zoom), kPictureTitleWidth);
}
// The grid's place: beside the picture column or over the whole area, up to the page bar or over
// its place when the bar is hidden.
float gridLeft(bool pictures, int zoom);
float gridWidth(bool pictures, int zoom, bool pageBarShown);

struct PageLayout {
    bool overflow;      // the columns are wider than the grid
    qint64 rows;        // records per page; 0 when not even one fits (zoom 20, overflowing)
    qint64 pages;       // page count
    bool pageBarShown;  // more than one page
};

// The layout of a selection of `records` at `zoom`, with columns `columnsWidth` wide in all. The
// grid is narrower while the page bar is shown, and the bar is shown only for several pages, so
// overflow is judged on the grid as the page will place it.
PageLayout pageLayout(qint64 records, int zoom, bool pictures, float columnsWidth);

}  // namespace listing
