#pragma once
// What every screen reaches: the application folder, the data hub, the record-store state and
// the navigation panel. One per main window, so tests can build several in one process.
#include <QString>

class FormBasesDatos;
class RecordStore;
class Navigation;
class QWidget;

struct Context {
    QString PathBaseDatos;         // the application folder, no trailing separator
    FormBasesDatos* hub = nullptr;  // the data hub
    RecordStore* store = nullptr;   // shared error flag of the record-store operations
    Navigation* nav = nullptr;      // the navigation panel
    QWidget* window = nullptr;      // parent for message boxes
    bool RetornoGrabacion = false;  // a show screen was opened from the recording entry screen
};
