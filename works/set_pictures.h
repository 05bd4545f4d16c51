#pragma once
// The pictures of a recording's set (orchestras-groups-choirs, conductors or performers) with
// their names, in set order, in a window of the screens' own look. The recording screens open it
// on a double click on the set's names; closing it leaves the screen as it was.
#include <QDialog>
#include <QPair>
#include <QVector>

struct Context;

class SetPictures : public QDialog {
    Q_OBJECT
  public:
    // One member: its name and its picture path ("" for none).
    using Member = QPair<QString, QString>;

    // Cells of the grid, in twips: a picture square with the name below it.
    static constexpr float kSide = 1500, kNameHeight = 285, kGap = 120;
    static constexpr int kColumns = 5, kRowsSeen = 3;

    SetPictures(Context& ctx, int global, const QVector<Member>& members, QWidget* parent);
};
