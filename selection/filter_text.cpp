#include "selection/filter_text.h"

#include "store/field_rules.h"
#include "store/jet_dialect.h"

namespace selection {

QString numberText(const QString& value) {
    // The typed text never reaches the statement itself: only the number read from it does.
    if (!rules::isNumber(value)) return QStringLiteral("-1");
    return rules::yearText(value);
}

bool isPatternOperator(const QString& op) {
    return op == QLatin1String(" LIKE ") || op == QLatin1String(" NOT LIKE ");
}

QString term(const VocabItem& field, const QString& op, QString& valor, int tipoOrquesta) {
    if (field.numeric) valor = numberText(valor);
    const bool pattern = isPatternOperator(op);
    if (pattern) valor = QLatin1Char('*') + valor + QLatin1Char('*');
    QString t = field.column + op + (field.numeric && !pattern ? valor : jet::quote(valor));
    if (field.kind != 0)
        t += QStringLiteral(" AND ") + kKindColumn + QStringLiteral("='") +
             QString::number(tipoOrquesta) + QLatin1Char('\'');
    return t;
}

QString itemEqualsTerm(const QString& column, const QString& valor) {
    // The stored texts are split one by one; a final "#" missing (a catalogue written by hand)
    // still ends the last.
    return QStringLiteral(
               "EXISTS (WITH RECURSIVE Trozo(Pieza, Resto) AS (SELECT NULL, %1 || '#' UNION ALL "
               "SELECT substr(Resto, 1, instr(Resto, '#') - 1), substr(Resto, instr(Resto, '#') "
               "+ 1) FROM Trozo WHERE instr(Resto, '#') > 0) SELECT 1 FROM Trozo WHERE Pieza = "
               "%2 COLLATE %3)")
        .arg(column, jet::quote(valor), QLatin1String(jet::kCollation));
}

QString joinCondition(const QString& condition, const QString& connector, const QString& term) {
    if (condition.isEmpty()) return term;
    return QLatin1Char('(') + condition + connector + term + QLatin1Char(')');
}

QString joinDescription(const QString& description, const QString& connective, const QString& field,
                        const QString& criterion, const QString& value) {
    const QString piece =
        field + QLatin1Char(' ') + criterion + QStringLiteral(" '") + value + QLatin1Char('\'');
    if (description.isEmpty()) return piece;
    return QLatin1Char('(') + description + QLatin1Char(' ') + connective + QLatin1Char(' ') +
           piece + QStringLiteral(") ");
}

int filtersOfLines(int lines) {
    return (lines + 1) / 4;
}

QString selectStatement(const QString& table, const QString& opcion, const QString& campoOrden,
                        const QString& sentidoOrden) {
    QString s = QStringLiteral("SELECT * FROM ") + table;
    if (opcion != kTodo) s += QStringLiteral(" WHERE ") + opcion;
    if (sentidoOrden != kNada) s += QStringLiteral(" ORDER BY ") + campoOrden + sentidoOrden;
    return s;
}

}  // namespace selection
