#include "store/record_label.h"

#include "store/data_hub.h"
#include "store/field_rules.h"
#include "store/jet_dialect.h"
#include "store/registers.h"

namespace labels {

QStringList columnsOf(int global) {
    if (global == registers::kObra)
        return {QStringLiteral("Nombre"), QStringLiteral("Numero"), QStringLiteral("Tonalidad")};
    const RegisterDef& d = registers::at(global);
    QStringList out;
    for (const QString& control : d.nameParts)
        for (const BoxDef& b : d.boxes)
            if (b.control == control && !out.contains(b.column)) out << b.column;
    // The orchestra's label is whichever of its three name boxes was used: its one name column.
    if (out.isEmpty() && global != registers::kGrabacion)
        for (const FieldDef& f : d.fields)
            if (f.identifier && f.kind == FieldKind::Text) out << f.column;
    return out;
}

QString compose(const FormBasesDatos& hub, int global, const QHash<QString, QString>& values) {
    if (global == registers::kObra)
        return workTitle(hub, values.value(QStringLiteral("Nombre")),
                         values.value(QStringLiteral("Numero")),
                         values.value(QStringLiteral("Tonalidad")));
    QStringList parts;
    for (const QString& column : columnsOf(global)) parts << values.value(column);
    return parts.join(QLatin1Char(' '));
}

QString workTitle(const FormBasesDatos& hub, const QString& nombre, const QString& numero,
                  const QString& tonalidad) {
    QString out;
    if (rules::isFilled(nombre)) out = nombre;
    if (rules::isFilled(numero))
        out += QLatin1Char(' ') + hub.EtiNumero + QLatin1Char(' ') + numero;
    if (rules::isFilled(tonalidad))
        out += QLatin1Char(' ') + hub.EtiEn + QLatin1Char(' ') + tonalidad;
    return out;
}

QString comparable(const QString& label) {
    return jet::folded(label.trimmed());
}

}  // namespace labels
