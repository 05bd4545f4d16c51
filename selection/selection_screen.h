#pragma once
// The "Seleccionar" screen of a register (FormReg1SelCompositor and the twelve built the same way
// from the register table): a new selection or all records, filters one at a time joined by "Y"
// or "O", a sort order, and "Aceptar", which applies the selection to the register's table. The
// selection applied and the one left under construction live in the data hub.
#include <QString>

#include "selection/filter_model.h"
#include "shell/windowing/screen.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
struct RegisterDef;
struct RegisterState;

class SelectionScreen : public Screen {
    Q_OBJECT
  public:
    SelectionScreen(Context& ctx, int global, QWidget* parent);

    // CargaReg1SelCompositor and the like: rebuilds the screen from the data hub.
    void Carga() override;
    selection::FilterModel& model() { return model_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Controls with behaviour.
    QComboBox *ComboCampo, *ComboCriterio, *ComboCampoOrden, *ComboCriterioOrden;
    QLineEdit *TxtValFiltro, *LabOpcionSQL;
    QPushButton *BtnAnadir, *BtnY, *BtnO, *BtnNueva, *BtnTodo, *BtnAceptar;
    QListWidget *ListFiltros, *List2;
    QLabel *LabNumFiltros, *LabNumRegTotal, *LabNumReg, *LabNumRegFiltros, *LabBaseDatos;

    // Screen variables recorded at loading.
    int TotalCampo = 0, TotalCriterio = 0, TotalCampoOrden = 0;
    QString AvisoCampo, AvisoCriterio, AvisoCampoOrden, TextoValorInicial;

  private:
    void buildControls();  // selection_controls.cpp
    void connectHandlers();
    void Load();

    void Idle();
    void BtnNuevaClick();
    void BtnConectorClick(const QString& caption);
    void BtnAnadirClick();
    void BtnTodoClick();
    void BtnAceptarClick();
    void TxtValFiltroChange();
    // Whether the value box refuses "#" (the composer's does).
    bool refusesHash() const;

    // Prompt items and sort positions.
    void showPrompt(QComboBox* combo, int designCount);
    void removePrompt(QComboBox* combo, int designCount);
    void removeSortPrompt();
    void positionSortLists();
    void runSortChoices();
    // Selects an item and runs its choice operation, also when it was already selected.
    void select(QComboBox* combo, int index);
    void choose(QComboBox* combo, int index);

    void showList();
    void setDescription(const QString& text);
    void setConnectivesBelowLimit();
    RegisterState& state();
    // Position of "Histórico" in the direction list (always its last item).
    int historico() const;

    const RegisterDef& reg_;
    const int global_;
    selection::FilterModel model_;
};
