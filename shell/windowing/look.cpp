#include "shell/windowing/look.h"

#include <QLabel>
#include <QPalette>

#include "shell/windowing/twips.h"

namespace look {

void setBoxColor(QWidget* box, const QColor& c) {
    QPalette p = box->palette();
    if (p.color(QPalette::Base) == c) return;
    p.setColor(QPalette::Base, c);
    box->setPalette(p);
}

QColor boxColor(const QWidget* box) {
    return box->palette().color(QPalette::Base);
}

void setBackColor(QWidget* w, const QColor& c) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void setForeColor(QWidget* w, const QColor& c) {
    QPalette p = w->palette();
    if (p.color(QPalette::WindowText) == c) return;
    p.setColor(QPalette::WindowText, c);
    w->setPalette(p);
}

QColor foreColor(const QWidget* w) {
    return w->palette().color(QPalette::WindowText);
}

QLabel* caption(QWidget* parent, const QString& text, float left, float top, float width,
                float height, const QString& name) {
    auto* l = new QLabel(text, parent);
    if (!name.isEmpty()) l->setObjectName(name);
    twips::place(l, left, top, width, height);
    return l;
}

void counterBox(QLabel* l) {
    l->setAlignment(Qt::AlignCenter);
    l->setFrameShape(QFrame::Box);
    setBackColor(l, kAmarillo);
}

QLabel* counter(QWidget* parent, const QString& name, const QString& letter, const QString& tooltip,
                float left, float top, float width, float height) {
    auto* l = new QLabel(QStringLiteral("0"), parent);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignCenter);
    l->setToolTip(tooltip);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    setBackColor(l, kAmarillo);
    twips::place(l, left, top, width, height);
    auto* mark = new QLabel(letter, parent);
    mark->setAlignment(Qt::AlignCenter);
    twips::place(mark, left + width, top, 240, height);
    return l;
}

}  // namespace look
