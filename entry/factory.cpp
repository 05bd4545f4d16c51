#include "entry/factory.h"

#include "entry/entry_screen.h"
#include "entry/orquesta_entry.h"

namespace {

// The register of an entry screen number, -1 for any other screen.
int registerOf(int number) {
    if (number >= 1 && number <= 7) return number - 1;
    if (number >= 29 && number <= 35) return 7 + number - 29;
    return -1;
}

}  // namespace

Screen* createEntryScreen(Context& ctx, int number, QWidget* parent) {
    const int g = registerOf(number);
    // The work and recording entry screens are built by the works area.
    if (g < 0 || g == registers::kObra || g == registers::kGrabacion) return nullptr;
    if (g == registers::kOrquesta) return new OrquestaEntryScreen(ctx, parent);
    return new EntryScreen(ctx, g, parent);
}
