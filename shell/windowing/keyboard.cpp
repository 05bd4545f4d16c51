#include "shell/windowing/keyboard.h"

#include <QKeyEvent>

namespace keyboard {

bool presses(const QKeyEvent* e) {
    if (e->modifiers() & ~Qt::KeypadModifier) return false;
    return e->key() == Qt::Key_Space || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
}

}  // namespace keyboard
