#pragma once
// Where a window opens: at its saved position when that is asked for and lies inside the
// screen, otherwise centred. All values are twips, the unit the INI file keeps.
// The one conversion between twips and pixels lives here too.

namespace pelmora {

struct TwipsPoint {
    int left = 0;
    int top = 0;
};

// useSaved: the window's "…LastFormPosition" flag is "1".
// The saved position is used only when 0 < left < screenWidth - windowWidth and
// 0 < top < screenHeight - windowHeight; otherwise (screen - window) / 2, truncated.
TwipsPoint PlaceWindow(bool useSaved, int savedLeft, int savedTop, int screenWidth, int screenHeight,
                       int windowWidth, int windowHeight);

// 1440 twips are one inch; logicalDpi is the screen's logical dots per inch.
int TwipsToPixels(int twips, double logicalDpi);
int PixelsToTwips(int pixels, double logicalDpi);

}  // namespace pelmora
