#pragma once
// Applying a selection to a register's data control in the data hub, and keeping the selection
// under construction there so that it survives a visit to another screen.
#include <QString>

class FormBasesDatos;
class QWidget;
struct RegisterState;

namespace selection {

class FilterModel;

// Points register `global`'s data control at `statement`, runs it and counts the result. The
// hub's counters of the applied selection follow: ContSel := the count, Posicion := 1, and the
// record source kept in SelRecordSource. Throws DbError when the engine refuses the statement
// (then only the data control's record source has changed).
qint32 applyStatement(FormBasesDatos& hub, int global, const QString& statement);

// "Aceptar": applies the model's selection with the sort positions shown, stores its counters and
// memos, and clears the model's working state. On an engine error shows "Complejidad Excesiva."
// (3360) or "Se ha producido el ERROR: " and the number, and falls back to the whole table with
// the hub's selection reset to all records.
// NotApplied: no order chosen, nothing to apply. Cancelled: stopped in the progress window, the
// previous selection in force and back in the hub's memos.
enum class Outcome { NotApplied, Applied, Failed, Cancelled };
Outcome applySelection(FormBasesDatos& hub, int global, FilterModel& model, int sortFieldPosition,
                       int sortDirectionPosition, QWidget* parent);

// After a filter is added: the selection under construction into the hub (filter list,
// condition, description, state 0).
void storeUnderConstruction(RegisterState& state, const FilterModel& model);

}  // namespace selection
