#pragma once
// FormBuscar: the search of the whole catalogue. Words typed in TxtBuscar are looked for, after a
// short pause, in every register; ListResultados lists the records found, grouped by register,
// and a double click or Enter opens the register's show screen on one of them. The window stays
// open beside the main window until closed. One per main window.
#include <QWidget>

struct Context;
class QLabel;
class QLineEdit;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

class SearchWindow : public QWidget {
    Q_OBJECT
  public:
    SearchWindow(Context& ctx, QWidget* parent);

    // Shows the window (made on first use) with the box focused and its words selected.
    static SearchWindow* open(Context& ctx);

    QLineEdit* TxtBuscar;
    QTreeWidget* ListResultados;
    QLabel* LabResultados;

    // Runs the search of the words typed now (what the pause after typing does).
    void Buscar();

  private:
    void activated(QTreeWidgetItem* item);

    Context& ctx_;
    QTimer* pause_;
};
