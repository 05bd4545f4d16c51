#include "shell/windowing/tab_strip.h"

#include <QWheelEvent>

TabStrip::TabStrip(const QString& name, const QStringList& captions, QWidget* parent)
    : QTabBar(parent) {
    setObjectName(name);
    blockSignals(true);
    for (const QString& c : captions) addTab(c);
    setCurrentIndex(0);
    blockSignals(false);
    previous_ = 0;
    connect(this, &QTabBar::currentChanged, this, [this](int now) {
        int before = previous_;
        previous_ = now;
        emit Click(before);
    });
}

void TabStrip::setTab(int index) {
    if (index != currentIndex()) setCurrentIndex(index);
}

void TabStrip::wheelEvent(QWheelEvent* e) {
    e->ignore();
}
