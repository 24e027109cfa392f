#include "dialogs/scaled_picture.h"

#include "platform/platform.h"

namespace lv {

HBitmap LoadPictureAtDpi(const char* name, const char* name2x, std::uint32_t dpi) {
    IDialogs& ui = Dialogs();
    const HBitmap base = ui.LoadBitmapByName(name);
    if (dpi <= 96 || IsNone(base)) return base;
    const Point size = ui.GetBitmapSize(base);
    const Point scaled{ScaleToDpi(size.x, dpi), ScaleToDpi(size.y, dpi)};
    HBitmap picture = ui.LoadBitmapScaled(name2x, scaled);
    // Without a 2x picture, the 1x one as it is rather than stretched.
    if (IsNone(picture)) return base;
    ui.DeleteBitmap(base);
    return picture;
}

}  // namespace lv
