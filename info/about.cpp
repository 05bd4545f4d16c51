#include "info/about.h"

#include <QLabel>

#include "shell/windowing/screen.h"
#include "shell/windowing/twips.h"

namespace {

QLabel* addLabel(QWidget* parent, const char* name, const QString& text, float top, float height,
                 qreal points, bool bold = false) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QFont f = l->font();
    f.setBold(bold);
    l->setFont(f);
    twips::setFontPoints(l, points);
    twips::place(l, 3900, top, 6000, height);
    return l;
}

class FormAcercaDe : public Screen {
  public:
    FormAcercaDe(Context& ctx, QWidget* parent) : Screen(ctx, 68, parent) {
        auto* fondo = new QLabel(this);
        fondo->setObjectName(QStringLiteral("ImagenFondo"));
        fondo->setPixmap(QPixmap(QStringLiteral(":/images/fondo.png")));
        fondo->setScaledContents(true);
        twips::place(fondo, 0, 0, screens::kScreenWidth, screens::kScreenHeight);

        auto* logo = new QLabel(this);
        logo->setObjectName(QStringLiteral("ImagenLogoAcercade"));
        logo->setPixmap(QPixmap(QStringLiteral(":/images/logo.png")));
        logo->setScaledContents(true);
        twips::place(logo, 900, 1200, 2580, 2580);

        QLabel* name =
            addLabel(this, "LabProducto", QStringLiteral("Ormelia"), 1200, 1140, 40, true);
        QPalette pal = name->palette();
        pal.setColor(QPalette::WindowText, QColor(0x33, 0x33, 0x99));
        name->setPalette(pal);
        addLabel(this, "LabTitulo", about::kTitleLine, 2400, 450, 13)->setWordWrap(true);
        addLabel(this, "LabVersionEspanol", QString::fromUtf8("Versión en Español"), 3000, 375, 11);
        addLabel(this, "LabVersion",
                 QString::fromUtf8("Versión %1 %2").arg(about::kVersion, about::kLanguage), 3420,
                 375, 11, true);
        QLabel* web = addLabel(this, "LabWeb", about::kWeb, 4200, 375, 11);
        web->setToolTip(QString::fromUtf8("Página web"));
        web->setTextInteractionFlags(Qt::TextSelectableByMouse);
        QLabel* mail = addLabel(this, "LabEMail", about::kEMail, 4620, 375, 11);
        mail->setToolTip(QString::fromUtf8("Correo electrónico"));
        mail->setTextInteractionFlags(Qt::TextSelectableByMouse);

        auto* organ = new QLabel(this);
        organ->setObjectName(QStringLiteral("ImagenAcercade"));
        organ->setPixmap(QPixmap(QStringLiteral(":/images/orquesta.png")));
        organ->setScaledContents(true);
        // The picture keeps its proportions (774 × 300).
        twips::place(organ, 1560, 5100, 7200, 7200 * 300.0f / 774.0f);
    }
};

}  // namespace

Screen* createAboutScreen(Context& ctx, QWidget* parent) {
    return new FormAcercaDe(ctx, parent);
}
