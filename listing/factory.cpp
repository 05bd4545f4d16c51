#include "listing/factory.h"

#include "listing/listing_screen.h"
#include "store/registers.h"

Screen* createListingScreen(Context& ctx, int number, QWidget* parent) {
    // The recording listing (28) is the works area's: it extends ListingScreen.
    for (int g = 0; g < registers::kCount; ++g)
        if (g != registers::kGrabacion && registers::screenNumber(g, 3) == number)
            return new ListingScreen(ctx, g, parent);
    return nullptr;
}
