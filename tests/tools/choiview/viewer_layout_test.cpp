#include "tools/choiview/viewer_layout.h"

#include <gtest/gtest.h>

namespace pelmora {
namespace {

constexpr ScrollBarThickness kBars{240, 255};
constexpr TwipsSize kWindow{6130, 5850};  // content area 6000 x 5000

TEST(ViewerLayout, FixedPlacesAndTheMinimum) {
    EXPECT_EQ(ViewerContentArea(kWindow), (TwipsRect{0, 0, 6000, 5000}));
    EXPECT_EQ(ViewerFrontCheckPlace(kWindow), (TwipsRect{50, 5100, 0, 0}));
    EXPECT_EQ(SnapToViewerMinimum({1000, 1000}), (TwipsSize{1500, 1800}));
    EXPECT_EQ(SnapToViewerMinimum({1400, 2000}), (TwipsSize{1500, 2000}));
    EXPECT_EQ(SnapToViewerMinimum({3000, 1799}), (TwipsSize{3000, 1800}));
}

TEST(ViewerLayout, ScrollBarsForSmallWideTallAndHugePictures) {
    const PictureFit small = FitPictureToWindow(kWindow, {6000, 5000}, kBars);
    EXPECT_FALSE(small.horizontalBar);
    EXPECT_FALSE(small.verticalBar);
    EXPECT_EQ(small.box, (TwipsSize{6000, 5000}));
    EXPECT_EQ(small.horizontalMaximum, 0);
    EXPECT_EQ(small.verticalMaximum, 0);

    // Wider: the vertical test is made against the height the horizontal bar leaves, so a
    // picture exactly as high as the area gets both bars.
    const PictureFit wide = FitPictureToWindow(kWindow, {9000, 4760}, kBars);
    EXPECT_TRUE(wide.horizontalBar);
    EXPECT_FALSE(wide.verticalBar);
    EXPECT_EQ(wide.box, (TwipsSize{6000, 4760}));
    EXPECT_EQ(wide.horizontalMaximum, 3000);
    EXPECT_EQ(wide.horizontalBarPlace, (TwipsRect{0, 4760, 6000, 240}));
    const PictureFit wideAndFull = FitPictureToWindow(kWindow, {9000, 5000}, kBars);
    EXPECT_TRUE(wideAndFull.verticalBar);
    EXPECT_EQ(wideAndFull.box, (TwipsSize{5745, 4760}));
    EXPECT_EQ(wideAndFull.verticalMaximum, 240);

    const PictureFit tall = FitPictureToWindow(kWindow, {3000, 9000}, kBars);
    EXPECT_FALSE(tall.horizontalBar);
    EXPECT_TRUE(tall.verticalBar);
    EXPECT_EQ(tall.verticalBarPlace, (TwipsRect{5745, 0, 255, 5000}));
    EXPECT_EQ(tall.verticalMaximum, 4000);

    // More than 32,767 twips to scroll is an ordinary range.
    const PictureFit huge = FitPictureToWindow(kWindow, {100000, 80000}, kBars);
    EXPECT_EQ(huge.horizontalMaximum, 100000 - 5745);
    EXPECT_EQ(huge.verticalMaximum, 80000 - 4760);
    EXPECT_EQ(ScrolledPictureBox(kWindow, huge, kBars, 50000, 40000), (TwipsRect{-50000, -40000, 55745, 44760}));
}

TEST(ViewerLayout, ScrollingGrowsTheBoxByTheOffset) {
    const PictureFit wide = FitPictureToWindow(kWindow, {9000, 4000}, kBars);
    EXPECT_EQ(ScrolledPictureBox(kWindow, wide, kBars, 0, 0), (TwipsRect{0, 0, 6000, 4760}));
    EXPECT_EQ(ScrolledPictureBox(kWindow, wide, kBars, 1200, 0), (TwipsRect{-1200, 0, 7200, 4760}));
}

}  // namespace
}  // namespace pelmora
