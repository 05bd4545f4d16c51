#pragma once
// Colours of the listing screen: its titles and header row in navy, the order numbers on silver.
#include <QColor>

namespace listing {

inline const QColor kNavy(0, 0, 128);
inline const QColor kSilver(192, 192, 192);

}  // namespace listing
