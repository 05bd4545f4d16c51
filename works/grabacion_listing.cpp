#include "works/grabacion_listing.h"

#include "store/data_hub.h"
#include "store/registers.h"

GrabacionListingScreen::GrabacionListingScreen(Context& ctx, QWidget* parent)
    : ListingScreen(ctx, registers::kGrabacion, parent) {}

const recfields::Linked& GrabacionListingScreen::current() const {
    const qint64 key = recordset().currentKey();
    if (key != cachedKey_) {
        cachedKey_ = -1;
        cached_ = recfields::Linked();
        if (key != 0) {
            try {
                cached_ = recfields::readRecording(ctx_, key);
            } catch (const DbError&) {
                // A recording that cannot be read now is listed with empty fields.
                cached_ = recfields::Linked();
            }
        }
        cachedKey_ = key;
    }
    return cached_;
}

QString GrabacionListingScreen::entryText(int entry) const {
    return recfields::text(current(), def_.listEntries[entry]);
}

QString GrabacionListingScreen::picturePath() const {
    return recfields::text(current(), def_.listEntries.last());
}
