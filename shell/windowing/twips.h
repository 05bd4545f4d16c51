#pragma once
// Geometry in twips (1440 to the inch, 15 to a logical pixel at zoom 1), kept exactly, fractions
// included, beside each placed widget so that positions can be read back as the screens set them.
// The display zoom maps twips to pixels: a larger main window shows the same screens larger.
#include <QWidget>

class QTableView;

namespace twips {

inline constexpr float kPerPixel = 15.0f;

// Pixels per twip-pixel: 1 at the window's opening size, larger when the window grows.
double zoom();
// Sets the zoom (never below 1) and re-applies it to every placed widget, font and grid line
// under `root`. Returns whether it changed.
bool setZoom(double z, QWidget* root);

inline int toPixels(float tw) {
    const double px = double(tw) * zoom() / kPerPixel;
    return int(px + (px >= 0 ? 0.5 : -0.5));
}
inline float fromPixels(int px) {
    return float(double(px) * kPerPixel / zoom());
}

float left(const QWidget* w);
float top(const QWidget* w);
float width(const QWidget* w);
float height(const QWidget* w);

void setLeft(QWidget* w, float v);
void setTop(QWidget* w, float v);
void setWidth(QWidget* w, float v);
void setHeight(QWidget* w, float v);
void place(QWidget* w, float left, float top, float width, float height);
void move(QWidget* w, float left, float top);
void resize(QWidget* w, float width, float height);

// Grid lines in twips, kept beside the grid so a new zoom sizes them again.
void setColumnWidth(QTableView* grid, int column, float tw);
void setRowHeight(QTableView* grid, int row, float tw);
void setDefaultRowHeight(QTableView* grid, float tw);
// A column's width in twips: as set, unless the user has dragged it since.
float columnWidth(const QTableView* grid, int column);

// Font size in points at 96 dots to the inch, in pixels so that the look does not depend on the
// desktop's resolution; it follows the zoom.
void setFontPoints(QWidget* w, qreal points);
// A font's pixel size for a size in points at the current zoom.
int fontPixels(qreal points);

}  // namespace twips
