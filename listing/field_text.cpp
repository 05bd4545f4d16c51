#include "listing/field_text.h"

#include <QStringList>

#include "store/field_rules.h"
#include "store/registers.h"

namespace listing {
namespace {

QString twoDigits(qint64 v) {
    return v < 10 ? QStringLiteral("0") + QString::number(v) : QString::number(v);
}

}  // namespace

QString durationText(qint64 seconds) {
    if (seconds < 0) seconds = -seconds;
    return twoDigits(seconds / 3600) + QLatin1Char(':') + twoDigits(seconds / 60 % 60) +
           QLatin1Char(':') + twoDigits(seconds % 60);
}

QString shownValue(const FieldDef* field, const QString& stored) {
    if (!field) return stored;
    switch (field->kind) {
        case FieldKind::Year:
        case FieldKind::Century:
            return rules::shownYear(stored);
        case FieldKind::Movements:
        case FieldKind::Durations: {
            QStringList lines = stored.split(QLatin1Char('#'));
            if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
            return lines.join(QLatin1Char('\n'));
        }
        case FieldKind::Kind:
            return rules::kindText(stored);
        case FieldKind::Number:
            if (field->column == QLatin1String("TiempoTotal"))
                return durationText(qint64(rules::numericValue(stored)));
            return stored.isEmpty() ? QStringLiteral("0") : stored;
        default:
            return stored;
    }
}

}  // namespace listing
