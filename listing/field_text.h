#pragma once
// How a stored field value is shown in a listing and in its printout.
#include <QString>

struct FieldDef;

namespace listing {

// The text of a stored value: years and centuries of 0 empty, the work's movements one per line,
// its total duration (seconds) as hh:mm:ss; everything else as stored. `field` may be null (the
// value is then shown as stored).
QString shownValue(const FieldDef* field, const QString& stored);

// A duration in seconds as the work screens show it: "01:02:03"; hours may have more digits.
QString durationText(qint64 seconds);

}  // namespace listing
