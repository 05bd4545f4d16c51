#pragma once
// A label that acts on a click, such as "Reducir"/"Ampliar". Tab reaches it, and Space or Enter
// press it as they press a button.
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

#include "shell/windowing/keyboard.h"

class ClickLabel : public QLabel {
    Q_OBJECT
  public:
    explicit ClickLabel(const QString& text, QWidget* parent = nullptr) : QLabel(text, parent) {
        setFocusPolicy(Qt::TabFocus);
    }

  signals:
    void Click();

  protected:
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) emit Click();
    }
    void keyPressEvent(QKeyEvent* e) override {
        if (!keyboard::presses(e)) return QLabel::keyPressEvent(e);
        e->accept();
        emit Click();
    }
    void paintEvent(QPaintEvent* e) override {
        QLabel::paintEvent(e);
        if (!hasFocus()) return;
        QPainter p(this);
        QStyleOptionFocusRect o;
        o.initFrom(this);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &o, &p, this);
    }
};
