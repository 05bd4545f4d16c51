#pragma once
// The orchestra's show screen: the name is shown in the box of its kind, and edited under the
// rule of the three name boxes.
#include "browse/browse_screen.h"
#include "entry/orquesta_names.h"

class OrquestaBrowseScreen : public BrowseScreen {
    Q_OBJECT
  public:
    OrquestaBrowseScreen(Context& ctx, QWidget* parent);
    void Colorear(bool Gris) { names_.Colorear(Gris); }

  protected:
    void boxChanged(FieldBox* b) override;
    void boxFocused(FieldBox* b) override;
    QString composedName() const override { return names_.name(); }
    bool identifierPresent() override { return names_.present(); }
    bool valueOf(const FieldDef& f, QString* value) const override;
    void showField(const FieldDef& f, const QString& stored) override;
    void showRecord() override;
    void setFieldsLocked(bool locked) override;

  private:
    OrquestaNames names_;
};
