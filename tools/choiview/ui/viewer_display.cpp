#include "tools/choiview/ui/viewer_display.h"

#include "common/window_placement.h"

namespace pelmora {

int ViewerGeometry::Pixels(int twips) const { return TwipsToPixels(twips, dpi); }
int ViewerGeometry::Twips(int pixels) const { return PixelsToTwips(pixels, dpi); }

QRect ViewerGeometry::PixelRect(const TwipsRect& rect) const {
    return {Pixels(rect.left), Pixels(rect.top), Pixels(rect.width), Pixels(rect.height)};
}

}  // namespace pelmora
