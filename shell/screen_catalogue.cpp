#include "shell/screen_catalogue.h"

#include "browse/factory.h"
#include "entry/factory.h"
#include "info/factory.h"
#include "listing/factory.h"
#include "selection/factory.h"
#include "shell/windowing/screen.h"
#include "works/factory.h"

Screen* createScreen(Context& ctx, int number, QWidget* parent) {
    using Factory = Screen* (*)(Context&, int, QWidget*);
    // Works first: it owns the work and recording screens among the register screens.
    static const Factory areas[] = {createWorksScreen,  createInfoScreen,      createEntryScreen,
                                    createBrowseScreen, createSelectionScreen, createListingScreen};
    for (Factory f : areas)
        if (Screen* s = f(ctx, number, parent)) return s;
    return new Screen(ctx, number, parent);
}
