#pragma once
// The recording's "Mostrar - Editar" screen (FormReg1MosGrabacion): the recordings of the
// current selection one at a time, each with its linked records' fields, pictures and sets read
// by key, and its notes; modifying changes the links (a slot's label takes the record or set now
// current on that register's show screen, its button removes it) and the notes.
#include "browse/browse_screen.h"

class RecordingSlots;

class GrabacionBrowseScreen : public BrowseScreen {
    Q_OBJECT
  public:
    GrabacionBrowseScreen(Context& ctx, QWidget* parent);

    RecordingSlots& linkSlots() const { return *slots_; }

  protected:
    void showRecord() override;
    void clearFields() override;
    bool identifierPresent() override;
    void writeCurrent() override;
    void setFieldsLocked(bool locked) override;

  private:
    bool editing() const;
    void bring(int g);
    void removeLink(int g);

    RecordingSlots* slots_ = nullptr;
};
