#pragma once
// What the program sets for itself so that it looks and reads the same on every desktop: its own
// font, Qt's Spanish texts for the standard dialogs and buttons, Enter pressing the focused
// button as on any desktop, and its icon on every window.
#include <QString>

class QIcon;

namespace appearance {

// A free sans-serif with narrow, Arial-like metrics, close to the type the screens were laid out
// for; 8.25 points is 11 pixels at zoom 1.
inline const QString kFontFamily = QStringLiteral("Liberation Sans");
inline constexpr double kFontPoints = 8.25;

// Once per process, after the application object exists.
void install();

// The program's icon (its logo at 48, 128 and 256 pixels), which every window carries.
QIcon programIcon();

}  // namespace appearance
