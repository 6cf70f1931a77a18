#include "tools/choiview/viewer_layout.h"

#include <algorithm>

namespace pelmora {

namespace {

constexpr int kContentWidthMargin = 130;
constexpr int kContentHeightMargin = 850;
constexpr int kFrontCheckLeft = 50;
constexpr int kFrontCheckTopMargin = 750;

}  // namespace

TwipsRect ViewerContentArea(TwipsSize window) {
    return {0, 0, window.width - kContentWidthMargin, window.height - kContentHeightMargin};
}

TwipsRect ViewerFrontCheckPlace(TwipsSize window) {
    return {kFrontCheckLeft, window.height - kFrontCheckTopMargin, 0, 0};
}

TwipsSize SnapToViewerMinimum(TwipsSize window) {
    return {std::max(window.width, kViewerMinimumWidth), std::max(window.height, kViewerMinimumHeight)};
}

PictureFit FitPictureToWindow(TwipsSize window, TwipsSize natural, ScrollBarThickness bars) {
    const TwipsRect area = ViewerContentArea(window);
    PictureFit fit;
    fit.horizontalBar = area.width < natural.width;
    fit.box.height = area.height - (fit.horizontalBar ? bars.horizontal : 0);
    fit.verticalBar = fit.box.height < natural.height;
    fit.box.width = area.width - (fit.verticalBar ? bars.vertical : 0);
    // A picture that fits has nothing to scroll; the range never runs backwards.
    fit.horizontalMaximum = std::max(0, natural.width - fit.box.width);
    fit.verticalMaximum = std::max(0, natural.height - fit.box.height);
    fit.horizontalBarPlace = {0, area.height - bars.horizontal, fit.box.width, bars.horizontal};
    fit.verticalBarPlace = {area.width - bars.vertical, 0, bars.vertical, fit.box.height};
    return fit;
}

TwipsRect ScrolledPictureBox(TwipsSize window, const PictureFit& fit, ScrollBarThickness bars, int horizontalValue,
                             int verticalValue) {
    const TwipsRect area = ViewerContentArea(window);
    TwipsRect box{-horizontalValue, -verticalValue, 0, 0};
    box.width = area.width - (fit.verticalBar ? bars.vertical : 0) - box.left;
    box.height = area.height - (fit.horizontalBar ? bars.horizontal : 0) - box.top;
    return box;
}

}  // namespace pelmora
