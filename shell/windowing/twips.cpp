#include "shell/windowing/twips.h"

#include <QHeaderView>
#include <QTableView>
#include <QVariant>

namespace twips {
namespace {

const char* const kNames[4] = {"twLeft", "twTop", "twWidth", "twHeight"};
const char* const kColumns = "twColumns";
const char* const kRows = "twRows";
const char* const kDefaultRow = "twDefaultRow";
const char* const kFontPoints = "fontPoints";

double zoom_ = 1.0;

float get(const QWidget* w, int i, int pixels) {
    QVariant v = w->property(kNames[i]);
    return v.isValid() ? v.toFloat() : fromPixels(pixels);
}

void apply(QWidget* w) {
    QRect r(toPixels(left(w)), toPixels(top(w)), toPixels(width(w)), toPixels(height(w)));
    if (w->geometry() != r) w->setGeometry(r);
}

void set(QWidget* w, int i, float v) {
    // Freeze the other three first, so reading them later gives what was set, not pixels.
    for (int k = 0; k < 4; ++k)
        if (!w->property(kNames[k]).isValid()) {
            const QRect g = w->geometry();
            const int px[4] = {g.x(), g.y(), g.width(), g.height()};
            w->setProperty(kNames[k], fromPixels(px[k]));
        }
    w->setProperty(kNames[i], v);
    apply(w);
}

// Stores one grid line's twips in the grid's list for that kind of line.
void storeLine(QTableView* grid, const char* name, int index, float tw) {
    QVariantList lines = grid->property(name).toList();
    while (lines.size() <= index) lines << QVariant();
    lines[index] = tw;
    grid->setProperty(name, lines);
}

// Lines set in twips take their size at the new zoom; the others (the user's dragged columns,
// the grid's defaults) grow by the zoom's ratio.
void applyGrid(QTableView* grid, double ratio) {
    for (QHeaderView* h : {grid->horizontalHeader(), grid->verticalHeader()})
        h->setDefaultSectionSize(qMax(1, int(h->defaultSectionSize() * ratio + 0.5)));
    const QVariant def = grid->property(kDefaultRow);
    if (def.isValid()) grid->verticalHeader()->setDefaultSectionSize(toPixels(def.toFloat()));
    const QVariantList cols = grid->property(kColumns).toList();
    const int columns = grid->model() ? grid->model()->columnCount() : 0;
    for (int c = 0; c < columns; ++c)
        grid->setColumnWidth(c, c < cols.size() && cols[c].isValid()
                                    ? toPixels(cols[c].toFloat())
                                    : int(grid->columnWidth(c) * ratio + 0.5));
    const QVariantList rows = grid->property(kRows).toList();
    const int rowCount = grid->model() ? grid->model()->rowCount() : 0;
    for (int r = 0; r < rowCount; ++r)
        grid->setRowHeight(r, r < rows.size() && rows[r].isValid()
                                  ? toPixels(rows[r].toFloat())
                                  : int(grid->rowHeight(r) * ratio + 0.5));
}

void applyZoom(QWidget* w, double ratio) {
    if (w->property(kNames[0]).isValid()) apply(w);
    const QVariant points = w->property(kFontPoints);
    if (points.isValid()) {
        QFont f = w->font();
        f.setPixelSize(fontPixels(points.toReal()));
        w->setFont(f);
    }
    if (auto* grid = qobject_cast<QTableView*>(w)) applyGrid(grid, ratio);
}

}  // namespace

double zoom() {
    return zoom_;
}

bool setZoom(double z, QWidget* root) {
    z = qMax(1.0, z);
    if (qFuzzyCompare(z, zoom_)) return false;
    const double ratio = z / zoom_;
    zoom_ = z;
    if (root) {
        applyZoom(root, ratio);
        for (QWidget* w : root->findChildren<QWidget*>()) applyZoom(w, ratio);
    }
    return true;
}

float left(const QWidget* w) {
    return get(w, 0, w->geometry().x());
}
float top(const QWidget* w) {
    return get(w, 1, w->geometry().y());
}
float width(const QWidget* w) {
    return get(w, 2, w->geometry().width());
}
float height(const QWidget* w) {
    return get(w, 3, w->geometry().height());
}

void setLeft(QWidget* w, float v) {
    set(w, 0, v);
}
void setTop(QWidget* w, float v) {
    set(w, 1, v);
}
void setWidth(QWidget* w, float v) {
    set(w, 2, v);
}
void setHeight(QWidget* w, float v) {
    set(w, 3, v);
}

void place(QWidget* w, float l, float t, float wd, float h) {
    w->setProperty(kNames[0], l);
    w->setProperty(kNames[1], t);
    w->setProperty(kNames[2], wd);
    w->setProperty(kNames[3], h);
    apply(w);
}
void move(QWidget* w, float l, float t) {
    setLeft(w, l);
    setTop(w, t);
}
void resize(QWidget* w, float wd, float h) {
    setWidth(w, wd);
    setHeight(w, h);
}

void setColumnWidth(QTableView* grid, int column, float tw) {
    storeLine(grid, kColumns, column, tw);
    grid->setColumnWidth(column, toPixels(tw));
}

void setRowHeight(QTableView* grid, int row, float tw) {
    storeLine(grid, kRows, row, tw);
    grid->setRowHeight(row, toPixels(tw));
}

void setDefaultRowHeight(QTableView* grid, float tw) {
    grid->setProperty(kDefaultRow, tw);
    grid->verticalHeader()->setDefaultSectionSize(toPixels(tw));
}

float columnWidth(const QTableView* grid, int column) {
    const QVariantList cols = grid->property(kColumns).toList();
    const int px = grid->columnWidth(column);
    if (column < cols.size() && cols[column].isValid() && toPixels(cols[column].toFloat()) == px)
        return cols[column].toFloat();
    return fromPixels(px);
}

int fontPixels(qreal points) {
    return qMax(1, qRound(points * 96.0 / 72.0 * zoom_));
}

void setFontPoints(QWidget* w, qreal points) {
    w->setProperty(kFontPoints, points);
    QFont f = w->font();
    f.setPixelSize(fontPixels(points));
    w->setFont(f);
}

}  // namespace twips
