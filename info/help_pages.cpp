#include "info/help_pages.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

#include "info/about.h"
#include "info/help_font.h"
#include "info/help_notes.h"
#include "info/help_picture.h"
#include "shell/windowing/accessible.h"
#include "shell/windowing/navigation.h"
#include "shell/windowing/screen.h"
#include "shell/windowing/twips.h"

namespace help {

namespace {

using T = Topic;
const PageDef kPages[] = {
    {58, "TxtAyudaGeneral", ":/help/general.html", 0, 0, T::None},
    {59, "TxtAyudaAN1", ":/help/anadir1.html", 60, 0, T::Anadir},
    {60, "TxtAyudaAN2", ":/help/anadir2.html", 61, 59, T::Anadir},
    {61, "TxtAyudaAN3", ":/help/anadir3.html", 0, 60, T::Anadir},
    {62, "TxtAyudaSE", ":/help/seleccionar.html", 0, 0, T::None},
    {63, "TxtAyudaME1", ":/help/mostrar1.html", 64, 0, T::Mostrar},
    {64, "TxtAyudaME2", ":/help/mostrar2.html", 65, 63, T::Mostrar},
    {65, "TxtAyudaME3", ":/help/mostrar3.html", 0, 64, T::Mostrar},
    {66, "TxtAyudaLI1", ":/help/listar.html", 67, 0, T::Listar},
    {67, "TxtAyudaLI2", ":/help/imprimir.html", 0, 66, T::Listar},
};

}  // namespace

const PageDef* page(int number) {
    for (const PageDef& p : kPages)
        if (p.number == number) return &p;
    return nullptr;
}

QString pageText(const PageDef& def) {
    QFile f(QLatin1String(def.resource));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
}

}  // namespace help

namespace {

class FormAyuda : public Screen {
  public:
    FormAyuda(Context& ctx, const help::PageDef& def, QWidget* parent)
        : Screen(ctx, def.number, parent) {
        auto* fondo = new QLabel(this);
        fondo->setObjectName(QStringLiteral("ImagenFondo"));
        fondo->setPixmap(QPixmap(QStringLiteral(":/images/fondo.png")));
        fondo->setScaledContents(true);
        twips::place(fondo, 0, 0, screens::kScreenWidth, screens::kScreenHeight);

        auto* text = new QTextEdit(this);
        text->setObjectName(QLatin1String(def.textBox));
        text->setReadOnly(true);
        text->setFont(helpFont(10));
        twips::setFontPoints(text, 10);
        text->setHtml(help::pageText(def));
        // Said by the page's own heading.
        accessible::name(text, text->document()->firstBlock().text());
        twips::place(text, 120, 120, 4920, 7380);

        auto* picture = new HelpPicture(ctx, help::shotOf(def.number), this);
        twips::place(picture, 5160, 120, 5040, 7380);

        if (def.previous) addPageButton("BtnAnterior", "<<", "Anterior", 8100, def.previous);
        if (def.next) addPageButton("BtnSiguiente", ">>", "Siguiente", 9240, def.next);

        // The help tab of the topic reopens the page read last.
        if (Navigation* nav = ctx.nav) {
            if (def.topic == help::Topic::Anadir) nav->setAyudaAnadir(def.number);
            if (def.topic == help::Topic::Mostrar) nav->setAyudaMostrar(def.number);
            if (def.topic == help::Topic::Listar) nav->setAyudaListar(def.number);
        }
    }

  private:
    void addPageButton(const char* name, const char* caption, const char* tip, float left,
                       int target) {
        auto* b = new QPushButton(QLatin1String(caption), this);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(QLatin1String(tip));
        accessible::name(b, b->toolTip());  // "<<" and ">>" say nothing
        twips::place(b, left, 7620, 960, 390);
        connect(b, &QPushButton::clicked, this, [this, target] {
            Navigation* nav = ctx_.nav;
            nav->OcultarFormulario();
            nav->MostrarFormulario(target);
        });
    }
};

}  // namespace

Screen* createHelpScreen(Context& ctx, int number, QWidget* parent) {
    if (number == 68) return createAboutScreen(ctx, parent);
    if (const help::PageDef* def = help::page(number)) return new FormAyuda(ctx, *def, parent);
    return nullptr;
}
