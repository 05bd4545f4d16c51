#pragma once
// The "Añadir  (Nuevo)" screen of a register: a record is typed, saved as a new record of the
// register's table, counted, and can be taken back while the screen is shown. "Importar" adds the
// rows of a CSV file the same way, all at once, and "Deshacer" then takes them all back. The
// half-typed record lives in the hub (reg[i].MemoAna, by control name, "Imagen" for the picture
// path), so it survives a visit to another screen.
#include <vector>

#include "entry/record_screen.h"
#include "shell/windowing/dialogs.h"
#include "store/duplicates.h"

class QFrame;
class QPushButton;

class EntryScreen : public RecordScreen {
    Q_OBJECT
  public:
    EntryScreen(Context& ctx, int global, QWidget* parent);

    // CargaReg1AnaCompositor and its kind: restores the screen from the hub.
    void Carga() override;
    // Clears the fields, the picture and the pending entry.
    void Limpiar();

    QFrame* Frame1;
    QLabel* LabNumRegNuevos;
    QLabel* LabNumRegTotal;
    QPushButton* BtnGuardar;
    QPushButton* BtnImportar = nullptr;  // none on the recording's screen
    QPushButton* BtnDeshacer;

    // Reads a CSV file, shows its preview and adds the rows accepted there (what "Importar" does
    // after the file dialog; the benchmark calls it directly). True when rows were added.
    bool importFrom(const QString& path);

  protected:
    void boxChanged(FieldBox* b) override;
    void boxFocused(FieldBox* b) override;
    void notesChanged() override;

    // Puts the pending entry back into the boxes and the notes (step 3 of the load).
    virtual void restorePending();
    // Empties what Limpiar empties, before the pending entry is dropped.
    virtual void clearFields();
    // The pending-entry text of a control ("Imagen" for the picture path).
    void setPending(const QString& key, const QString& value);
    QString pending(const QString& key) const;

    void Guardar();
    void Importar();
    void Deshacer();
    // Writes the typed record after the last record of the register's data control, which shows
    // the whole table; fails through the record-store flag or a DbError.
    virtual void writeNew();
    // The stored record the typed one repeats (key 0 for none): the same label text.
    virtual duplicates::Match equalRecord();

  private:
    void buildPanel();
    void showCounters();
    // The focus on the first field, where the next record is typed.
    void typeNext();
    void failedSave(int number, const QString& detail);
    // True when the typed record repeats none, or the user wants it saved anyway.
    bool newOrConfirmed();
    // Counts records added by a save or an import and puts the register's selection back to the
    // whole table, as a save does.
    void added(std::vector<qint64> keys);
    void undoImport();

    // Keys of the records the undo takes back: the one saved last, or the last import's.
    std::vector<qint64> lastSaved_;
    CommonDialog DialogoImportar;
};
