#pragma once
// FormDuplicados: the records of each register that share a label text, one line per group in
// ListDuplicados (register, label, how many). A double click or Enter opens the register's show
// screen on the group's first record, with the selection holding the group.
#include <QWidget>
#include <vector>

struct Context;
class QTreeWidget;
class QTreeWidgetItem;
class QLabel;

class DuplicatesWindow : public QWidget {
    Q_OBJECT
  public:
    DuplicatesWindow(Context& ctx, QWidget* parent);

    // Looks for the groups (under the progress window) and shows the window; nullptr when the
    // user cancelled the look.
    static DuplicatesWindow* open(Context& ctx);

    QTreeWidget* ListDuplicados;
    QLabel* LabDuplicados;

    // Fills the list from the catalogue; false when cancelled.
    bool fill();

  private:
    void activated(QTreeWidgetItem* item);

    Context& ctx_;
    std::vector<std::vector<qint64>> groups_;
    std::vector<int> registerOf_;
};
