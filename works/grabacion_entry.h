#pragma once
// The recording's "Añadir  (Nuevo)" screen (FormReg1AnaGrabacion): the six slots of the records a
// recording links, filled by a visit to each register's show screen and a click on the slot's
// label, the recording's notes, and the entry screen's counters, "Guardar" and "Deshacer". The
// links of the recording being entered live in the hub (MemoAnaGraLink, MemoAnaGraConjunto,
// MemoAnaGraCompositorPosicion) and its notes in the pending entry, so they survive a visit.
#include "entry/entry_screen.h"

class RecordingSlots;

class GrabacionEntryScreen : public EntryScreen {
    Q_OBJECT
  public:
    GrabacionEntryScreen(Context& ctx, QWidget* parent);

    // CargaReg1AnaGrabacion.
    void Carga() override;
    RecordingSlots& linkSlots() const { return *slots_; }

  protected:
    bool identifierPresent() override;
    void writeNew() override;
    duplicates::Match equalRecord() override;
    void clearFields() override;

  private:
    // The check of a partial selection of linked register g; false when the user chose to go to
    // its selection screen (which is then shown).
    bool selectionComplete(int g);
    void bring(int g);
    void removeLink(int g);
    void visit(int g);
    // The slots' links into the hub.
    void keepLinks();

    RecordingSlots* slots_;
};
