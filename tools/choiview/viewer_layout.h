#pragma once
// ChoiView's fixed layout, in twips of the window's outer size: the displays fill the content
// area (window width - 130 by height - 850), the "前面" box sits below it, and a picture larger
// than the area gets scroll bars. Scrolling moves the picture box up and left and grows it by
// the same amount, so its visible part always fills the area.

namespace pelmora {

struct TwipsSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const TwipsSize&, const TwipsSize&) = default;
};

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

inline constexpr int kViewerMinimumWidth = 1500;
inline constexpr int kViewerMinimumHeight = 1800;

TwipsRect ViewerContentArea(TwipsSize window);
// Left and top of the "前面" box (its size is its own).
TwipsRect ViewerFrontCheckPlace(TwipsSize window);
// A window smaller than 1500 x 1800 is brought back to that size.
TwipsSize SnapToViewerMinimum(TwipsSize window);

// The thickness of the two scroll bars: the horizontal one's height, the vertical one's width.
struct ScrollBarThickness {
    int horizontal = 0;
    int vertical = 0;
};

// A picture of its natural size fitted into the window. The horizontal test comes first, so
// the vertical one is made against the height the horizontal bar leaves.
struct PictureFit {
    bool horizontalBar = false;
    bool verticalBar = false;
    TwipsSize box;          // the picture box before it is scrolled
    int horizontalMaximum = 0;  // the scroll ranges, 0 when the picture fits
    int verticalMaximum = 0;
    TwipsRect horizontalBarPlace;
    TwipsRect verticalBarPlace;
};
PictureFit FitPictureToWindow(TwipsSize window, TwipsSize natural, ScrollBarThickness bars);

// The picture box's place for the scroll bars' values.
TwipsRect ScrolledPictureBox(TwipsSize window, const PictureFit& fit, ScrollBarThickness bars, int horizontalValue,
                             int verticalValue);

}  // namespace pelmora
