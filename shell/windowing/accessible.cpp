#include "shell/windowing/accessible.h"

#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>

namespace accessible {
namespace {

// What the screen reader says for `w` now.
QString spoken(QWidget* w) {
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
    return i ? i->text(QAccessible::Name) : QString();
}

// The parts Qt builds inside a control (a scroll area's bars, headers and viewport, a combo box's
// list and box) are said as part of that control.
bool partOfAnother(const QWidget* w) {
    const QWidget* p = w->parentWidget();
    if (qobject_cast<const QAbstractScrollArea*>(p)) return true;
    if (p && qobject_cast<const QAbstractScrollArea*>(p->parentWidget()) &&
        qobject_cast<const QAbstractSlider*>(w))
        return true;
    for (; p; p = p->parentWidget())
        if (qobject_cast<const QComboBox*>(p)) return true;
    return false;
}

}  // namespace

void name(QWidget* control, const QString& text) {
    control->setAccessibleName(text.simplified());
}

void caption(QLabel* label, QWidget* control) {
    label->setBuddy(control);
    name(control, label->text());
}

void nameControls(QWidget* root) {
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!w->accessibleName().isEmpty() || partOfAnother(w) || w->toolTip().isEmpty()) continue;
        if (spoken(w).trimmed().isEmpty()) name(w, w->toolTip());
    }
}

}  // namespace accessible
