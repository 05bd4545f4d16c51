#pragma once
// The orchestra's three name boxes "Orquesta", "Grupo" and "Coro": only one may hold the name, and
// the box that holds it gives the kind (OrqGrpCor 1, 2, 3). Shared by the orchestra's entry and
// show screens.
#include <QString>

class FieldBox;
class RecordScreen;
class RecordPicture;
struct Context;

class OrquestaNames {
  public:
    OrquestaNames(Context& ctx, RecordScreen& screen);

    bool isNameBox(const FieldBox* b) const;
    // Change of a name box: a letter typed while another box holds the name is removed and the
    // focus goes to that box; otherwise the colours follow and the name label shows the name.
    void changed(FieldBox* x);
    // Focus of a name box: as the change, without emptying a filled box or selecting its text.
    void focused(FieldBox* x);
    // All three grey without tooltips (true), or white with "Identificador" (false).
    void Colorear(bool Gris);

    // The kind of the filled box (1-3), 0 when none is filled.
    int kind() const;
    QString name() const;
    // Puts a stored name into the box of its kind (1 when the kind is unknown).
    void show(const QString& name, int kind);
    // Identifier rule of a save: warns and empties the three boxes when none holds a name.
    bool present();
    // While one box holds the name, Tab and Shift+Tab pass the other two by (made again when a
    // show screen unlocks its boxes).
    void keepTabOnName();

  private:
    // The boxes X looks at, in order.
    void partners(const FieldBox* x, FieldBox** first, FieldBox** second) const;
    bool redirect(FieldBox* x);

    Context& ctx_;
    RecordPicture& picture_;
    FieldBox* boxes_[3];
};
