#include "browse/factory.h"

#include "browse/browse_screen.h"
#include "browse/orquesta_browse.h"
#include "browse/record_set.h"

namespace {

// The register of a show screen number, -1 for any other screen.
int registerOf(int number) {
    if (number >= 15 && number <= 21) return number - 15;
    if (number >= 43 && number <= 49) return 7 + number - 43;
    return -1;
}

}  // namespace

Screen* createBrowseScreen(Context& ctx, int number, QWidget* parent) {
    const int g = registerOf(number);
    // The work and recording show screens are built by the works area.
    if (g < 0 || g == registers::kObra || g == registers::kGrabacion) return nullptr;
    BrowseScreen* s = g == registers::kOrquesta ? new OrquestaBrowseScreen(ctx, parent)
                                                : new BrowseScreen(ctx, g, parent);
    if (g == registers::kOrquesta || g == registers::kDirector || g == registers::kInterprete)
        new RecordSet(*s);
    return s;
}
