#pragma once
// Geometry in twips (1440 to the inch, 15 to a logical pixel), kept exactly, fractions included,
// beside each placed widget so that positions can be read back as the screens set them.
#include <QWidget>

namespace twips {

inline constexpr float kPerPixel = 15.0f;

inline int toPixels(float tw) {
    return int(tw / kPerPixel + (tw >= 0 ? 0.5f : -0.5f));
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

}  // namespace twips
