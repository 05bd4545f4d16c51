#include "shell/form_solapas.h"

#include <QApplication>
#include <QKeyEvent>
#include <QShortcut>

#include "shell/form_mdi.h"
#include "shell/screen_catalogue.h"
#include "shell/windowing/accessible.h"
#include "shell/windowing/screen.h"
#include "shell/windowing/tab_strip.h"
#include "shell/windowing/twips.h"
#include "store/registers.h"

namespace {

const QStringList kNivel1 = {QStringLiteral("  Registros I   "),
                             QStringLiteral("  Registros II   "), QStringLiteral("  Informe   "),
                             QStringLiteral("  Ayuda   "), QStringLiteral("  Acerca de...   ")};
const QStringList kOperaciones = {
    QString::fromUtf8("  Añadir  (Nuevo)   "), QStringLiteral("  Seleccionar   "),
    QStringLiteral("  Mostrar - Editar   "), QStringLiteral("  Listar - Imprimir   ")};
const QStringList kAyuda = {
    QStringLiteral("  General   "), QString::fromUtf8("  Añadir  (Nuevo)   "),
    QStringLiteral("  Seleccionar   "), QStringLiteral("  Mostrar - Editar   "),
    QStringLiteral("  Listar - Imprimir   ")};
const char* const kOpNames[4] = {"Anadir", "Seleccionar", "Mostrar", "Listar"};

QStringList registerCaptions(int group) {
    QStringList out;
    for (int i = 0; i < 7; ++i) out << registers::of(group, i).tabCaption;
    return out;
}

TabStrip* makeStrip(const QString& name, const QStringList& captions, QWidget* parent) {
    auto* t = new TabStrip(name, captions, parent);
    t->setShape(QTabBar::RoundedWest);
    t->setElideMode(Qt::ElideRight);
    t->setUsesScrollButtons(false);
    t->setExpanding(true);
    t->setDrawBase(false);
    twips::setFontPoints(t, 7);
    for (int i = 0; i < captions.size(); ++i) t->setTabToolTip(i, captions[i].trimmed());
    return t;
}

}  // namespace

FormSolapas::FormSolapas(FormMdi& mdi, Context& ctx, QWidget* parent)
    : QWidget(parent), mdi_(mdi), ctx_(ctx) {
    setObjectName(QStringLiteral("FormSolapas"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    setPalette(pal);
    twips::resize(this, screens::kPanelWidth, screens::kPanelHeight);
    const float column = screens::kPanelWidth / 3;
    auto placeColumn = [&](QWidget* w, int c) {
        twips::place(w, float(c) * column, 0, column, screens::kPanelHeight);
    };

    nivel1_ = makeStrip(QStringLiteral("TabNivel1"), kNivel1, this);
    placeColumn(nivel1_, 0);
    for (int g = 0; g < 2; ++g) {
        registros_[g] = makeStrip(QStringLiteral("TabRegistros%1").arg(g + 1), kOperaciones, this);
        registros_[g]->setTab(2);
        placeColumn(registros_[g], 1);
        for (int o = 0; o < 4; ++o) {
            auto* s =
                makeStrip(QStringLiteral("TabReg%1%2").arg(g + 1).arg(QLatin1String(kOpNames[o])),
                          registerCaptions(g + 1), this);
            placeColumn(s, 2);
            regStrips_[g][o] = s;
            connect(s, &TabStrip::Click, this,
                    [this, g, o](int) { guarded([&] { registerStripClick(g + 1, o); }); });
        }
    }
    ayuda_ = makeStrip(QStringLiteral("TabAyuda"), kAyuda, this);
    placeColumn(ayuda_, 1);

    connect(nivel1_, &TabStrip::Click, this, [this](int p) { TabNivel1Click(p); });
    connect(registros_[0], &TabStrip::Click, this, [this](int p) { TabRegistros1Click(p); });
    connect(registros_[1], &TabStrip::Click, this, [this](int p) { TabRegistros2Click(p); });
    connect(ayuda_, &TabStrip::Click, this, [this](int p) { TabAyudaClick(p); });
    showStrips();
    hide();

    // The keyboard's way between screen and panel, from anywhere in the main window.
    auto* f6 = new QShortcut(QKeySequence(Qt::Key_F6), &mdi);
    f6->setContext(Qt::WindowShortcut);
    connect(f6, &QShortcut::activated, this, &FormSolapas::switchFocus);
    // Only the widget given the focus is looked at (its parents up to a shown screen): the main
    // window may already be on its way out, its children outliving its own destructor, when the
    // focus last moves.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        for (QWidget* w = now ? now->parentWidget() : nullptr; w; w = w->parentWidget())
            if (auto* s = qobject_cast<Screen*>(w)) {
                if (s->isVisible()) screenFocus_ = now;
                return;
            }
    });
}

template <class F>
void FormSolapas::guarded(F&& body) {
    // No tab can be clicked while a screen is being switched.
    // A strip picked from the keyboard keeps the focus, which disabling the panel takes away; a
    // screen opened by a click keeps the focus it gives itself (its first box).
    auto* strip = qobject_cast<TabStrip*>(isAncestorOf(QApplication::focusWidget()) ? focusWidget()
                                                                                    : nullptr);
    QPointer<QWidget> focused = strip && strip->keying() ? strip : nullptr;
    bool wasEnabled = isEnabled();
    setEnabled(false);
    body();
    setEnabled(wasEnabled);
    showStrips();
    if (focused && inReach(focused)) focused->setFocus(Qt::OtherFocusReason);
}

std::array<TabStrip*, 3> FormSolapas::shownColumns() const {
    std::array<TabStrip*, 3> columns{nivel1_, nullptr, nullptr};
    for (TabStrip* s : findChildren<TabStrip*>()) {
        if (!s->isVisible() || s == nivel1_) continue;
        const bool registerStrip = s != ayuda_ && s != registros_[0] && s != registros_[1];
        columns[registerStrip ? 2 : 1] = s;
    }
    return columns;
}

void FormSolapas::keyPressEvent(QKeyEvent* e) {
    const int step = e->key() == Qt::Key_Left ? -1 : e->key() == Qt::Key_Right ? 1 : 0;
    const auto columns = shownColumns();
    const auto at = std::find(columns.begin(), columns.end(), focusWidget());
    if (step == 0 || at == columns.end()) return QWidget::keyPressEvent(e);
    e->accept();
    for (int c = int(at - columns.begin()) + step; c >= 0 && c < 3; c += step)
        if (inReach(columns[c])) {
            columns[c]->setFocus(Qt::OtherFocusReason);
            return;
        }
}

void FormSolapas::switchFocus() {
    Screen* s = currentScreen();
    if (!isVisible() || !s) return;
    if (!isAncestorOf(QApplication::focusWidget())) {
        // The innermost strip a click could reach: none while a change locks the tabs.
        const auto columns = shownColumns();
        for (auto c = columns.rbegin(); c != columns.rend(); ++c)
            if (inReach(*c)) {
                (*c)->setFocus(Qt::OtherFocusReason);
                return;
            }
        return;
    }
    QWidget* target = screenFocus_;
    if (!target || !s->isAncestorOf(target) || !inReach(target)) {
        // The first control Tab reaches on the screen.
        target = nullptr;
        for (QWidget* w = s->nextInFocusChain(); w != s; w = w->nextInFocusChain())
            if (s->isAncestorOf(w) && inReach(w) && (w->focusPolicy() & Qt::TabFocus)) {
                target = w;
                break;
            }
    }
    if (target) target->setFocus(Qt::TabFocusReason);
}

void FormSolapas::Load() {
    loaded_ = true;
    mdi_.VentanaMostrandose = 15;
    SolapaRegistros1_ = 0;
    AyudaAnadir = 59;
    AyudaMostrar = 63;
    AyudaListar = 66;
}

void FormSolapas::showStrips() {
    const int top = nivel1_->Tab();
    for (int g = 0; g < 2; ++g) {
        const bool groupShown = top == g;
        registros_[g]->setVisible(groupShown);
        for (int o = 0; o < 4; ++o)
            regStrips_[g][o]->setVisible(groupShown && registros_[g]->Tab() == o);
    }
    ayuda_->setVisible(top == 3);
}

void FormSolapas::TabNivel1Click(int) {
    guarded([&] {
        switch (nivel1_->Tab()) {
            case 0:
                TabRegistros1Click(0);
                break;
            case 1:
                TabRegistros2Click(0);
                break;
            case 2:
                OcultarFormulario();
                MostrarFormulario(57);
                break;
            case 3:
                TabAyudaClick(0);
                break;
            case 4:
                OcultarFormulario();
                MostrarFormulario(68);
                break;
        }
    });
}

void FormSolapas::TabRegistros1Click(int) {
    guarded([&] {
        TabStrip* r = regStrips_[0][registros_[0]->Tab()];
        if (r->Tab() != SolapaRegistros1_)
            r->setTab(SolapaRegistros1_);
        else
            registerStripClick(1, registros_[0]->Tab());
    });
}

void FormSolapas::TabRegistros2Click(int) {
    guarded([&] {
        TabStrip* r = regStrips_[1][registros_[1]->Tab()];
        if (r->Tab() != SolapaRegistros2_)
            r->setTab(SolapaRegistros2_);
        else
            registerStripClick(2, registros_[1]->Tab());
    });
}

void FormSolapas::setTabRegistros1(int tab) {
    registros_[0]->setTab(tab);
}

void FormSolapas::registerStripClick(int group, int op) {
    const int k = regStrips_[group - 1][op]->Tab();
    OcultarFormulario();
    if (group == 1) SolapaRegistros1_ = qint16(k);
    const int number = (group == 1 ? 1 : 29) + 7 * op + k;
    MostrarFormulario(number);
    // Every register screen is restored from the hub, the recording's selection and listing
    // included: their applied selection and ticked fields are in force while the user is away.
    if (Screen* s = loaded_screens_.value(number)) s->Carga();
    if (group == 2) SolapaRegistros2_ = qint16(k);
}

void FormSolapas::TabAyudaClick(int) {
    guarded([&] {
        static const int fixed[] = {58, -1, 62, -1, -1};
        int tab = ayuda_->Tab();
        int n = fixed[tab];
        if (tab == 1) n = AyudaAnadir;
        if (tab == 3) n = AyudaMostrar;
        if (tab == 4) n = AyudaListar;
        OcultarFormulario();
        MostrarFormulario(n);
    });
}

void FormSolapas::MostrarFormulario(int numero) {
    mdi_.VentanaMostrandose = qint16(numero);
    const float W = mdi_.ScaleWidth(), H = mdi_.ScaleHeight();
    if (numero < 0 || numero > 68) return;
    Screen* f = loaded_screens_.value(numero);
    if (!f) {
        f = createScreen(ctx_, numero, mdi_.client());
        if (!f->ownTabOrder()) f->orderTabsByPosition();
        accessible::nameControls(f);
        loaded_screens_.insert(numero, f);
    }
    if (numero == 0) {
        twips::setTop(f, (H - twips::height(f)) / 2);
        twips::setLeft(f, (W - twips::width(f)) / 2);
        f->show();
        return;
    }
    if (!loaded_) Load();
    mdi_.VentanaMostrandose = qint16(numero);
    twips::setTop(f, (H - twips::height(f)) / 2);
    twips::setLeft(f, (W - (twips::width(this) + twips::width(f))) / 2);
    f->show();
    twips::setTop(this, (H - twips::height(this)) / 2);
    twips::setLeft(this, (W - (twips::width(this) + twips::width(f))) / 2 + twips::width(f));
    show();
    // The panel stays above every other child. When the screen just shown is the only child
    // over it, putting the screen under the panel gives the same order as raising the panel,
    // and repaints only the screen (painted anyway) instead of the whole panel.
    QObjectList others = parentWidget()->children();
    others.removeAll(f);
    if (!others.isEmpty() && others.last() == this)
        f->stackUnder(this);
    else
        raise();
}

void FormSolapas::OcultarFormulario() {
    const int n = mdi_.VentanaMostrandose;
    if (n < 0 || n > 68) return;
    Screen* s = loaded_screens_.take(n);
    if (!s) return;
    s->Form_Unload();
    // Unloaded at once for everyone who looks (no parent, hidden); freed once its own handlers
    // have returned.
    s->hide();
    s->setParent(nullptr);
    s->deleteLater();
}

void FormSolapas::unloadAll() {
    for (Screen* s : std::as_const(loaded_screens_)) {
        s->Form_Unload();
        s->hide();
        s->setParent(nullptr);
        s->deleteLater();
    }
    loaded_screens_.clear();
    hide();
}

Screen* FormSolapas::currentScreen() const {
    return loaded_screens_.value(mdi_.VentanaMostrandose);
}

TabStrip* FormSolapas::tabStrip(const QString& name) const {
    return findChild<TabStrip*>(name);
}

QWidget* FormSolapas::strip(const QString& name) const {
    return tabStrip(name);
}
