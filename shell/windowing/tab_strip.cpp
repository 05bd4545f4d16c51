#include "shell/windowing/tab_strip.h"

#include <QKeyEvent>
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

void TabStrip::keyPressEvent(QKeyEvent* e) {
    const bool vertical = shape() == RoundedWest || shape() == RoundedEast ||
                          shape() == TriangularWest || shape() == TriangularEast;
    if (!vertical) return QTabBar::keyPressEvent(e);
    const int step = e->key() == Qt::Key_Up ? -1 : e->key() == Qt::Key_Down ? 1 : 0;
    if (step == 0 || e->modifiers() & ~Qt::KeypadModifier) {
        e->ignore();
        return;
    }
    e->accept();
    for (int i = currentIndex() + step; i >= 0 && i < count(); i += step)
        if (isTabEnabled(i) && isTabVisible(i)) {
            keying_ = true;
            setTab(i);
            keying_ = false;
            return;
        }
}
