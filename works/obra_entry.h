#pragma once
// The work's entry screen: the generic one with the work's rows, its title line and the
// movements table; the movements are saved with the work and kept with the pending entry.
#include "entry/entry_screen.h"

class ObraMovements;

class ObraEntryScreen : public EntryScreen {
    Q_OBJECT
  public:
    ObraEntryScreen(Context& ctx, QWidget* parent);
    ObraMovements& movements() const { return *movements_; }

  protected:
    void boxChanged(FieldBox* b) override;
    void boxFocused(FieldBox* b) override;
    QString composedName() const override;
    bool valueOf(const FieldDef& f, QString* value) const override;
    void restorePending() override;
    void clearFields() override;

  private:
    ObraMovements* movements_;
};
