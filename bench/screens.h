#pragma once
// Reaching the real screens as a user would: switching screens through the navigation panel's
// three calls and finding controls by their names. A screen that is not built yet has none of
// its controls, and the benchmark then leaves its operations out.
#include <QString>
#include <QWidget>

class FormMdi;
class Screen;

namespace bench {

// OcultarFormulario, MostrarFormulario(n) and the screen's load operation; the events that
// follow (layout, painting) are run too. Returns the screen shown.
Screen* openScreen(FormMdi& m, int number);

template <class T>
T* control(QWidget* screen, const char* name) {
    return screen ? screen->findChild<T*>(QLatin1String(name)) : nullptr;
}

}  // namespace bench
