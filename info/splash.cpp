#include "info/splash.h"

#include <QLabel>
#include <QMouseEvent>

#include "shell/windowing/navigation.h"
#include "shell/windowing/screen.h"
#include "shell/windowing/twips.h"

namespace {

// The caption-less click area "Entrar".
class ClickArea : public QLabel {
  public:
    using QLabel::QLabel;
    std::function<void()> onClick;

  protected:
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton && onClick) onClick();
    }
};

class FormPresentacion : public Screen {
  public:
    FormPresentacion(Context& ctx, QWidget* parent) : Screen(ctx, 0, parent) {
        auto* title = new QLabel(QStringLiteral("- Ormelia -"), this);
        title->setObjectName(QStringLiteral("LabTitulo"));
        title->setAlignment(Qt::AlignCenter);
        QFont f = title->font();
        f.setPointSize(28);
        f.setBold(true);
        title->setFont(f);
        twips::place(title, 0, 2400, screens::kSplashWidth, 900);
        auto* version = new QLabel(QString::fromUtf8("Versión en Español"), this);
        version->setObjectName(QStringLiteral("LabVersion"));
        version->setAlignment(Qt::AlignCenter);
        twips::place(version, 0, 3400, screens::kSplashWidth, 400);
        auto* entrar = new ClickArea(this);
        entrar->setObjectName(QStringLiteral("LabContinuar"));
        entrar->setToolTip(QStringLiteral("     Entrar     "));
        entrar->setCursor(Qt::PointingHandCursor);
        twips::place(entrar, 0, 0, screens::kSplashWidth, screens::kSplashHeight);
        entrar->onClick = [this] {
            Navigation* nav = ctx_.nav;
            nav->OcultarFormulario();
            nav->MostrarFormulario(15);
            if (Screen* s = nav->currentScreen()) s->Carga();
        };
    }
};

}  // namespace

Screen* createSplashScreen(Context& ctx, QWidget* parent) {
    return new FormPresentacion(ctx, parent);
}
