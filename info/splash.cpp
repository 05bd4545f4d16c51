#include "info/splash.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

#include "info/about.h"
#include "shell/windowing/keyboard.h"
#include "shell/windowing/navigation.h"
#include "shell/windowing/screen.h"
#include "shell/windowing/twips.h"

namespace {

const QColor kNight(0x16, 0x1C, 0x44);
const QColor kIvory(0xF6, 0xEE, 0xD8);
const QColor kGold(0xE8, 0xCF, 0x8A);

// The caption-less click area "Entrar". It holds the focus while the splash is shown, so Enter,
// Space and Esc enter as a click does.
class ClickArea : public QLabel {
  public:
    explicit ClickArea(QWidget* parent) : QLabel(parent) { setFocusPolicy(Qt::StrongFocus); }
    std::function<void()> onClick;

  protected:
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton && onClick) onClick();
    }
    void keyPressEvent(QKeyEvent* e) override {
        const bool escape = e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier;
        if ((!keyboard::presses(e) && !escape) || !onClick) return QLabel::keyPressEvent(e);
        e->accept();
        onClick();
    }
    void showEvent(QShowEvent* e) override {
        QLabel::showEvent(e);
        setFocus(Qt::OtherFocusReason);
    }
};

QLabel* addPicture(QWidget* parent, const char* name, const char* resource, float left, float top,
                   float width, float height) {
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setPixmap(QPixmap(QLatin1String(resource)));
    l->setScaledContents(true);
    twips::place(l, left, top, width, height);
    return l;
}

QLabel* addLine(QWidget* parent, const char* name, const QString& text, float top, float height,
                qreal points, const QColor& colour, bool bold = false) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setAlignment(Qt::AlignCenter);
    QFont f = l->font();
    f.setBold(bold);
    l->setFont(f);
    twips::setFontPoints(l, points);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, colour);
    l->setPalette(pal);
    twips::place(l, 0, top, screens::kSplashWidth, height);
    return l;
}

class FormPresentacion : public Screen {
  public:
    FormPresentacion(Context& ctx, QWidget* parent) : Screen(ctx, 0, parent) {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, kNight);
        setPalette(pal);
        // The organ picture keeps its proportions (774 × 300) across the whole width.
        addPicture(this, "ImagenOrquesta", ":/images/orquesta.png", 0, 0, screens::kSplashWidth,
                   screens::kSplashWidth * 300.0f / 774.0f);
        addPicture(this, "ImagenLogoOrquesta", ":/images/logo.png", 600, 3600, 1800, 1800);
        addLine(this, "LabTitulo", QStringLiteral("- Ormelia -"), 4650, 900, 28, kGold, true);
        addLine(this, "LabVersion", QString::fromUtf8("Versión en Español"), 5550, 400, 12, kIvory);
        addLine(this, "LabProducto", about::kTitleLine, 6060, 375, 11, kIvory);
        addLine(this, "LabVersionNumero", QString::fromUtf8("Versión %1").arg(about::kVersion),
                6480, 375, 10, kIvory);
        addLine(this, "LabDerechos",
                QString::fromUtf8("© Proyecto Ormelia. Reservados todos los derechos."), 7500, 330,
                8, kGold);

        auto* entrar = new ClickArea(this);
        entrar->setObjectName(QStringLiteral("LabContinuar"));
        entrar->setToolTip(QStringLiteral("     Entrar     "));
        entrar->setCursor(Qt::PointingHandCursor);
        twips::place(entrar, 0, 0, screens::kSplashWidth, screens::kSplashHeight);
        entrar_ = entrar;
        entrar->onClick = [this] {
            Navigation* nav = ctx_.nav;
            nav->OcultarFormulario();
            nav->MostrarFormulario(15);
            if (Screen* s = nav->currentScreen()) s->Carga();
        };
    }

  protected:
    void showEvent(QShowEvent* e) override {
        Screen::showEvent(e);
        entrar_->setFocus();
    }

  private:
    QLabel* entrar_ = nullptr;
};

}  // namespace

Screen* createSplashScreen(Context& ctx, QWidget* parent) {
    return new FormPresentacion(ctx, parent);
}
