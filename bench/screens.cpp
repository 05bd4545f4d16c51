#include "bench/screens.h"

#include "bench/bench_run.h"
#include "shell/form_mdi.h"
#include "shell/windowing/navigation.h"
#include "shell/windowing/screen.h"

namespace bench {

Screen* openScreen(FormMdi& m, int number) {
    Navigation& nav = *m.context().nav;
    nav.OcultarFormulario();
    nav.MostrarFormulario(number);
    Screen* s = nav.currentScreen();
    if (s) s->Carga();
    settle();
    return s;
}

}  // namespace bench
