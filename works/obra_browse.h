#pragma once
// The work's show screen: the generic one with the work's rows, its title line and the movements
// table, which is shown with each work and edited with the rest of it.
#include "browse/browse_screen.h"

class ObraMovements;

class ObraBrowseScreen : public BrowseScreen {
    Q_OBJECT
  public:
    ObraBrowseScreen(Context& ctx, QWidget* parent);
    ObraMovements& movements() const { return *movements_; }

  protected:
    void boxChanged(FieldBox* b) override;
    void boxFocused(FieldBox* b) override;
    QString composedName() const override;
    bool valueOf(const FieldDef& f, QString* value) const override;
    void showRecord() override;
    void clearFields() override;
    void setFieldsLocked(bool locked) override;

  private:
    ObraMovements* movements_;
};
