#include "selection/factory.h"

#include "selection/selection_screen.h"
#include "store/registers.h"

Screen* createSelectionScreen(Context& ctx, int number, QWidget* parent) {
    for (const RegisterDef& r : registers::all())
        if (registers::screenNumber(r.global, 1) == number)
            return new SelectionScreen(ctx, r.global, parent);
    return nullptr;
}
