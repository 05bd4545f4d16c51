#include "shell/windowing/twips.h"

#include <QVariant>

namespace twips {
namespace {

const char* const kNames[4] = {"twLeft", "twTop", "twWidth", "twHeight"};

float get(const QWidget* w, int i, int pixels) {
    QVariant v = w->property(kNames[i]);
    return v.isValid() ? v.toFloat() : float(pixels) * kPerPixel;
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
            w->setProperty(kNames[k], float(px[k]) * kPerPixel);
        }
    w->setProperty(kNames[i], v);
    apply(w);
}

}  // namespace

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

}  // namespace twips
