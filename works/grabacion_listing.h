#pragma once
// The recording's "Listar - Imprimir" screen (FormReg1LisGrabacion): the listing screen with the
// recording's field list, each field read from the record the recording links (the members of a
// set joined in set order) and "SOP Imagen" the carrier's picture.
#include <QHash>

#include "listing/listing_screen.h"
#include "works/recording_fields.h"

class GrabacionListingScreen : public ListingScreen {
    Q_OBJECT
  public:
    GrabacionListingScreen(Context& ctx, QWidget* parent);

  protected:
    QString entryText(int entry) const override;
    QString picturePath() const override;

  private:
    // The recording the recordset stands on with its linked records (read once per record).
    const recfields::Linked& current() const;

    mutable qint64 cachedKey_ = -1;
    mutable recfields::Linked cached_;
};
