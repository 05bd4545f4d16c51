#pragma once
// The texts a selection is made of: one filter's SQL term, the condition and the readable
// description growing filter by filter, and the final SELECT statement. Pure functions, shared by
// every selection screen (the recording's builds one condition per linked register from the same
// pieces).
#include <QString>
#include <QStringList>

#include "store/registers.h"

namespace selection {

inline const QString kSevenBlanks = QStringLiteral("       ");
// Design text of the value box: no filter is added while it still shows this.
inline const QString kValorInicial = QStringLiteral("       Valor del FILTRO");
inline const QString kTodo = QStringLiteral("Todo");  // the all-records marker
inline const QString kNada = QStringLiteral("Nada");  // direction text of "Histórico"
inline const QString kKindColumn = QStringLiteral("OrqGrpCor");
inline constexpr int kMaxFiltros = 20;

// The form a value takes in the condition of a numeric column: the number itself (written as the
// catalogue writes numbers, so "1,5" becomes "1.5"), or "-1" when the text is not a number. Only
// digits, sign, point and exponent can come out of it.
QString numberText(const QString& value);

// True for the two pattern operators, " LIKE " and " NOT LIKE ".
bool isPatternOperator(const QString& op);

// The SQL term of one filter: column, operator and value. Numeric columns compared with " = ",
// " < ", " > " take the number bare; every other value is quoted with its apostrophes doubled,
// patterns wrapped in "*". `tipoOrquesta` adds the orchestra-kind clause for fields that have a
// kind. `valor` is updated to the form it took (the value "as the condition holds it").
QString term(const VocabItem& field, const QString& op, QString& valor, int tipoOrquesta = 0);

// The term of " = " on a column holding texts each followed by "#" (a work's movements): true when
// one of the texts equals the value, under the same rules as any other " = ".
QString itemEqualsTerm(const QString& column, const QString& valor);

// The condition after one more filter: the term alone for the first, otherwise everything before
// in one more pair of parentheses ("(" + c + connector + term + ")").
QString joinCondition(const QString& condition, const QString& connector, const QString& term);

// The readable description after one more filter ("F C 'V'" for the first, otherwise
// "(" + d + " " + connective + " " + "F C 'V'" + ") ").
QString joinDescription(const QString& description, const QString& connective, const QString& field,
                        const QString& criterion, const QString& value);

// Filters of a list of `lines` lines: (lines + 1) / 4.
int filtersOfLines(int lines);

// The record source of a selection: "SELECT * FROM " table, " WHERE " condition unless the
// condition is "Todo", and " ORDER BY " column + direction unless the direction is "Nada".
QString selectStatement(const QString& table, const QString& opcion, const QString& campoOrden,
                        const QString& sentidoOrden);

}  // namespace selection
