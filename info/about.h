#pragma once
// The about box, screen 68 (FormAcercaDe).
#include <QString>

class QWidget;
class Screen;
struct Context;

Screen* createAboutScreen(Context& ctx, QWidget* parent);

namespace about {

inline const QString kVersion = QStringLiteral("1.01");
inline const QString kLanguage = QStringLiteral("ES");
inline const QString kWeb = QStringLiteral("https://ormelia.example.org");
inline const QString kEMail = QStringLiteral("ormelia@example.org");
// The product's title line, shared by the splash and the about box.
inline const QString kTitleLine = QString::fromUtf8("Catálogo de una colección de música clásica");

}  // namespace about
