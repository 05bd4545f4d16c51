#pragma once
// The working state of a selection under construction on a register's "Seleccionar" screen and
// the operations the screen runs on it: choices in the four lists, the value typed, connectives,
// adding a filter, a new selection, all records. No widgets: the screen passes the positions and
// captions its lists show and mirrors the filter list it gets back.
#include <QString>
#include <QStringList>

#include "selection/filter_text.h"
#include "store/registers.h"

namespace selection {

class FilterModel {
  public:
    explicit FilterModel(const RegisterDef& reg) : reg_(reg) {}
    const RegisterDef& reg() const { return reg_; }

    // Working variables.
    QString CampoSQL, OperadorSQL, ValorSQL, ConectorSQL, ConectorTexto, OpcionSQL, TextoFiltros,
        CampoOrdenSQL, SentidoOrdenSQL;
    qint16 TipoOrquesta = 0;  // kind of ensemble of the last kind field chosen (1, 2, 3)
    QStringList lines;        // the filter list, in order
    int numFiltros = 0;       // filters of the selection being built

    // Choices by list position; a position past the real items (the prompt) changes nothing.
    void chooseField(int position);
    void chooseCriterion(int position);
    void chooseSortField(int position);
    void chooseSortDirection(int position);
    void changeValue(const QString& text) { ValorSQL = text; }
    // "Y" or "O".
    void chooseConnective(const QString& caption);

    // Whether a filter can be added with this value box text (field, criterion and a value that
    // is neither blank nor the box's design text).
    bool canAdd(const QString& valueBoxText) const;
    // Adds a filter: readable description, connective caption and filter-list lines, then the
    // condition; one more filter counted. False (nothing changed) when canAdd is false or the
    // field position is not a field.
    bool addFilter(const QString& valueBoxText, int fieldPosition, const QString& fieldCaption,
                   const QString& criterionCaption);
    // The text half of addFilter (description, connective, list lines), for screens that keep
    // their conditions otherwise.
    void addTexts(const QString& valueBoxText, const QString& fieldCaption,
                  const QString& criterionCaption);
    // The condition half of addFilter, on this model's own condition.
    void addCondition(int fieldPosition);

    // "Nueva": condition, connectives, value and description cleared; no filters.
    void newSelection();
    // "Todo": the all-records marker, no description, no filters.
    void allRecords();
    bool isAllRecords() const { return OpcionSQL == kTodo; }

    // The record source of the selection as it stands (Todo or the condition, and the order).
    QString statement() const;
    // Clears what applying (or failing to apply) leaves empty.
    void clearWorking();

  private:
    const RegisterDef& reg_;
};

}  // namespace selection
