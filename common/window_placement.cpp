#include "common/window_placement.h"

#include <cmath>

namespace pelmora {

TwipsPoint PlaceWindow(bool useSaved, int savedLeft, int savedTop, int screenWidth, int screenHeight,
                       int windowWidth, int windowHeight) {
    const int roomX = screenWidth - windowWidth;
    const int roomY = screenHeight - windowHeight;
    if (useSaved && savedLeft > 0 && savedTop > 0 && savedLeft < roomX && savedTop < roomY) {
        return {savedLeft, savedTop};
    }
    return {roomX / 2, roomY / 2};
}

int TwipsToPixels(int twips, double logicalDpi) {
    return static_cast<int>(std::lround(twips * logicalDpi / 1440.0));
}

int PixelsToTwips(int pixels, double logicalDpi) {
    if (logicalDpi <= 0) logicalDpi = 96.0;
    return static_cast<int>(std::lround(pixels * 1440.0 / logicalDpi));
}

}  // namespace pelmora
