#include "works/factory.h"

#include "works/grabacion_browse.h"
#include "works/grabacion_entry.h"
#include "works/grabacion_listing.h"
#include "works/obra_browse.h"
#include "works/obra_entry.h"

Screen* createWorksScreen(Context& ctx, int number, QWidget* parent) {
    switch (number) {
        case 2:
            return new ObraEntryScreen(ctx, parent);
        case 7:
            return new GrabacionEntryScreen(ctx, parent);
        case 16:
            return new ObraBrowseScreen(ctx, parent);
        case 21:
            return new GrabacionBrowseScreen(ctx, parent);
        case 28:
            return new GrabacionListingScreen(ctx, parent);
        default:
            return nullptr;
    }
}
