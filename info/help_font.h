#pragma once
// The help texts' type: Comic Sans MS where the machine has it, else its free look-alike Comic
// Neue, else the application's own font.
#include <QFont>

QFont helpFont(qreal pointSize = 10);
