#pragma once
// What every screen reaches: the application folder, the data hub, the record-store state and
// the navigation panel. One per main window, so tests can build several in one process.
#include <QString>
#include <functional>

class FormBasesDatos;
class RecordStore;
class Navigation;
class QWidget;
class Screen;

struct Context {
    QString PathBaseDatos;          // the application folder, no trailing separator
    FormBasesDatos* hub = nullptr;  // the data hub
    RecordStore* store = nullptr;   // shared error flag of the record-store operations
    Navigation* nav = nullptr;      // the navigation panel
    QWidget* window = nullptr;      // parent for message boxes
    bool RetornoGrabacion = false;  // a show screen was opened from the recording entry screen
    // Builds any screen by number (for pictures of screens, such as the help pages'), unplaced.
    std::function<Screen*(int number, QWidget* parent)> createScreen;
};
