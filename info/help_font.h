#pragma once
// The help texts' type: Comic Sans MS where the machine has it, else its free look-alike Comic
// Neue, else the application's own font.
#include <QFont>
#include <QStringList>

QFont helpFont(qreal pointSize = 10);

// The family chosen among the installed ones; empty for the application's own font.
QString helpFontFamily(const QStringList& installed);
