#pragma once
// A picture fitted into a square of a recording screen: the stored picture scaled so that its
// longer side fills the square and centred in it, or the placeholder filling the square.
class CommonDialog;
class PictureBox;
class QString;
struct Context;

namespace grabacion {

// Shows the picture at `path` in `box` within the square (left, top, side) in twips; `dialog`
// keeps the path of the picture shown ("" when the placeholder stands in). Returns true when
// the picture was loaded.
bool fitPicture(Context& ctx, PictureBox& box, CommonDialog& dialog, const QString& path,
                float left, float top, float side);

}  // namespace grabacion
