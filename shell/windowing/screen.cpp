#include "shell/windowing/screen.h"

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

bool hasLoadOperation(int n) {
    return n != 14 && n != 28;
}

}  // namespace screens
