#include "shell/windowing/screen.h"

#include <algorithm>
#include <stdexcept>

#include "shell/windowing/twips.h"
#include "store/registers.h"

Screen::Screen(Context& ctx, int number, QWidget* parent)
    : QWidget(parent), ctx_(ctx), number_(number) {
    setObjectName(screens::formName(number));
    setAutoFillBackground(true);
    if (number == 0)
        twips::resize(this, screens::kSplashWidth, screens::kSplashHeight);
    else
        twips::resize(this, screens::kScreenWidth, screens::kScreenHeight);
}

namespace {

bool takesTab(const QWidget* w) {
    return (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
}

// The controls under `container` in walking order: its direct children by rows (tops closer than
// 120 twips make one row), each panel's own controls where the panel stands.
void collect(QWidget* container, QList<QWidget*>& chain) {
    QList<QWidget*> units;
    for (QObject* o : container->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w->isWindow()) continue;
        if (takesTab(w) || w->findChild<QWidget*>(QString(), Qt::FindChildrenRecursively))
            units << w;
    }
    std::stable_sort(units.begin(), units.end(), [](const QWidget* a, const QWidget* b) {
        return a->geometry().top() < b->geometry().top();
    });
    // Rows: a control starts a new row unless it stands within 120 twips of the row's top.
    const int row = twips::toPixels(120);
    for (qsizetype start = 0; start < units.size();) {
        qsizetype end = start + 1;
        while (end < units.size() &&
               units[end]->geometry().top() - units[start]->geometry().top() < row)
            ++end;
        std::stable_sort(units.begin() + start, units.begin() + end,
                         [](const QWidget* a, const QWidget* b) {
                             return a->geometry().left() < b->geometry().left();
                         });
        start = end;
    }
    for (QWidget* w : units) {
        if (takesTab(w))
            chain << w;
        else
            collect(w, chain);
    }
}

}  // namespace

void Screen::orderTabsByPosition() {
    QList<QWidget*> chain;
    collect(this, chain);
    for (int i = 1; i < chain.size(); ++i) setTabOrder(chain[i - 1], chain[i]);
}

namespace {

bool canTakeFocus(const QWidget* w, const QWidget* screen) {
    return w->isEnabled() && w->isVisibleTo(screen) && takesTab(w) && !w->focusProxy();
}

}  // namespace

QWidget* Screen::firstControl() const {
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain())
        if (isAncestorOf(w) && takesTab(w)) return w;
    return nullptr;
}

QWidget* Screen::nextControl(QWidget* from) const {
    // The chain runs through the whole window: past the screen's last control it comes back to
    // the screen's first.
    bool wrapped = false;
    for (QWidget* w = from->nextInFocusChain(); w && w != from; w = w->nextInFocusChain()) {
        if (!isAncestorOf(w)) {
            if (wrapped) return nullptr;
            wrapped = true;
            w = firstControl();
            if (!w || w == from) return nullptr;
        }
        if (canTakeFocus(w, this)) return w;
    }
    return nullptr;
}

bool Screen::focusNextPrevChild(bool next) {
    QWidget* f = window()->focusWidget();
    if (f && isAncestorOf(f) && !f->isEnabled()) {
        if (QWidget* n = nextControl(f)) {
            n->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QWidget::focusNextPrevChild(next);
}

void Screen::missing(const QString& name) const {
    throw std::logic_error(("no control " + name + " on " + objectName()).toStdString());
}

namespace screens {

QString formName(int n) {
    static const char* const fixed[] = {
        "FormInforme",       "FormAyudaGeneral",     "FormAyudaAnadir1",  "FormAyudaAnadir2",
        "FormAyudaAnadir3",  "FormAyudaSeleccionar", "FormAyudaMostrar1", "FormAyudaMostrar2",
        "FormAyudaMostrar3", "FormAyudaListar",      "FormAyudaListar2",  "FormAcercaDe"};
    static const char* const ops[] = {"Ana", "Sel", "Mos", "Lis"};
    if (n == 0) return QStringLiteral("FormPresentacion");
    if (n >= 1 && n <= 28) return registers::of(1, (n - 1) % 7).formName(ops[(n - 1) / 7]);
    if (n >= 29 && n <= 56) return registers::of(2, (n - 29) % 7).formName(ops[(n - 29) / 7]);
    if (n >= 57 && n <= 68) return QLatin1String(fixed[n - 57]);
    return {};
}

}  // namespace screens
