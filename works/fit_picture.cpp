#include "works/fit_picture.h"

#include "shell/windowing/context.h"
#include "shell/windowing/dialogs.h"
#include "shell/windowing/picture_box.h"
#include "shell/windowing/twips.h"
#include "store/record_store.h"

namespace grabacion {

bool fitPicture(Context& ctx, PictureBox& box, CommonDialog& dialog, const QString& path,
                float left, float top, float side) {
    dialog.FileName = path;
    if (!path.isEmpty()) ctx.store->CargarImagen(box, dialog, int(side), int(side));
    const bool loaded = !dialog.FileName.isEmpty();
    if (loaded) {
        twips::move(&box, left + (side - twips::width(&box)) / 2,
                    top + (side - twips::height(&box)) / 2);
    } else {
        box.setStretch(true);
        twips::place(&box, left, top, side, side);
        box.setImage(PictureBox::placeholder());
    }
    box.show();
    return loaded;
}

}  // namespace grabacion
