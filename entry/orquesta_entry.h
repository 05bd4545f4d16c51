#pragma once
// The orchestra's entry screen: the generic one with the three name boxes.
#include "entry/entry_screen.h"
#include "entry/orquesta_names.h"

class OrquestaEntryScreen : public EntryScreen {
    Q_OBJECT
  public:
    OrquestaEntryScreen(Context& ctx, QWidget* parent);
    void Colorear(bool Gris) { names_.Colorear(Gris); }

  protected:
    void boxChanged(FieldBox* b) override;
    void boxFocused(FieldBox* b) override;
    QString composedName() const override { return names_.name(); }
    bool identifierPresent() override;
    bool valueOf(const FieldDef& f, QString* value) const override;

  private:
    OrquestaNames names_;
};
