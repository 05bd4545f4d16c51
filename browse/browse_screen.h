#pragma once
// The "Mostrar - Editar" screen of a register: the records of the register's current selection
// (hub Data[i]) one at a time, by scroll bar or record number; a record is modified or deleted
// and the change confirmed with "Aceptar" or dropped with "Cancelar", with the navigation tabs
// locked meanwhile. Position, counters and layout choice live in the hub.
#include "browse/kept_fields.h"
#include "entry/record_screen.h"

class ClickLabel;
class QFrame;
class QLineEdit;
class QPushButton;
class QScrollBar;
class Recordset;

class BrowseScreen : public RecordScreen {
    Q_OBJECT
  public:
    BrowseScreen(Context& ctx, int global, QWidget* parent);

    // CargaReg1MosCompositor and its kind: shows the record at the hub position of the
    // selection, or clears the screen when the selection is empty.
    void Carga() override;
    void Form_Unload() override;
    void Limpiar();
    void ValoresInicio();
    // true: viewing; false: editing.
    void Bloquear(bool Valor);

    // True while the screen is loaded and in its viewing state; changes of the scroll bar and
    // the record number are ignored while it is false.
    bool NavegacionActiva = false;

    QFrame* Frame1;
    QLabel* LabNumRegSeleccion;
    QLabel* LabNumFiltros;
    QScrollBar* HScroll;
    QLineEdit* TxtOrden;
    QPushButton* BtnModificar;
    QPushButton* BtnEliminar;
    QLabel* LabNumRegEliminados;
    QPushButton* BtnGuardar;   // "Aceptar"
    QPushButton* BtnDeshacer;  // "Cancelar"
    ClickLabel* BtnReducirAmpliar;
    QPushButton* BtnRegresar = nullptr;  // "Retorno", on the "Registros I" screens

    // Hidden place of "Retorno" (behind the notes or the set grid) and where it is seen.
    static constexpr float kRetornoLeft = 4800, kRetornoShownLeft = 3390, kRetornoTop = 7230;
    static constexpr float kRetornoWidth = 1215, kRetornoHeight = 375;

    // A modification or deletion is waiting for "Aceptar" or "Cancelar".
    bool pending() const;

  signals:
    // A record of the selection was modified or deleted.
    void registroCambiado();

  protected:
    void boxChanged(FieldBox* b) override;
    void boxFocused(FieldBox* b) override;
    void notesFocused() override;
    void keyPressEvent(QKeyEvent* e) override;

    // Shows the current record's fields, notes and picture (steps 5 to 8 of the load).
    virtual void showRecord();
    // Puts one stored field into its box.
    virtual void showField(const FieldDef& f, const QString& stored);
    // Empties what Limpiar empties.
    virtual void clearFields();
    // Writes the modification of the record the recordset stands on; fails through the
    // record-store flag or a DbError.
    virtual void writeCurrent();
    // Where a record field sends the focus while viewing.
    QWidget* focusSink() const;
    Recordset& records() const;
    // Whether the user left field `column` as it was shown, when the screen would now write
    // `current` for it: such a field is not written, so it stays exactly as stored.
    bool untouched(const QString& column, const QString& current) const {
        return kept_.untouched(column, current);
    }

  private:
    void buildPanel();
    void ReducirAmpliar();
    void moved(int value);
    void ordenChanged();
    void Modificar();
    void Eliminar();
    void Aceptar();
    void Cancelar();
    void Regresar();
    void acceptModification();
    void acceptDeletion();
    void backToViewing();
    // Puts the recordset on the record shown; throws DbError when it has gone.
    void positionOnShown();
    // Refuses a deletion of a record that recordings use.
    bool refusedInUse();
    void showCounters();
    // Notes what the screen would write for each text, year and notes field as just shown.
    void noteShown();

    KeptFields kept_;
    qint64 shownKey_ = 0;
    bool locked_ = false;
};
