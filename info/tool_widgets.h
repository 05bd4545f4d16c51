#pragma once
// The pieces the report screen's tool windows are made of: read-only tables of whole rows,
// their cells and the windows' buttons, all in the screens' type.
#include <QStringList>

class QPushButton;
class QTableWidget;
class QTableWidgetItem;
class QWidget;

namespace tools {

// A table of rows chosen whole, one at a time, with its column headers.
QTableWidget* table(QWidget* parent, const char* name, const QStringList& headers);
// A cell; a number is aligned to the right.
QTableWidgetItem* item(const QString& text, bool number = false);
// A button of the window's row of buttons.
QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QString& tip);

}  // namespace tools
