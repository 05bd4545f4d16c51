#pragma once
// What the program sets for itself so that it looks and reads the same on every desktop: its own
// font, Qt's Spanish texts for the standard dialogs and buttons, and Enter pressing the focused
// button as on any desktop.
#include <QString>

namespace appearance {

// A free sans-serif with narrow, Arial-like metrics, close to the type the screens were laid out
// for; 8.25 points is 11 pixels at zoom 1.
inline const QString kFontFamily = QStringLiteral("Liberation Sans");
inline constexpr double kFontPoints = 8.25;

// Once per process, after the application object exists.
void install();

}  // namespace appearance
