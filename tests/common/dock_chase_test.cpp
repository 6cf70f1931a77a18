#include "common/dock_chase.h"

#include <gtest/gtest.h>

namespace pelmora {
namespace {

DockFrames Frames(DockPoint main, DockPoint docked) { return {main, 500, docked, 200}; }

TEST(DockChaseTest, DockedWindowsMeetTheMainWindowsEdgesWithoutClamping) {
    const DockFrames frames = Frames({1000, 300}, {0, 0});
    EXPECT_EQ(DockedPosition(DockSide::Left, frames), (DockPoint{800, 300}));
    EXPECT_EQ(DockedPosition(DockSide::Right, frames), (DockPoint{1500, 300}));
    // A main window at the screen's left edge puts the left window off the screen.
    EXPECT_EQ(DockedPosition(DockSide::Left, Frames({0, 0}, {0, 0})), (DockPoint{-200, 0}));
}

TEST(DockChaseTest, NothingMovesUntilOneWindowMoves) {
    ChaseState chase(DockSide::Left);
    const DockFrames docked = Frames({1000, 300}, {800, 300});
    chase.Record(docked);
    EXPECT_FALSE(chase.DockedMoveFor(docked));
    EXPECT_FALSE(chase.MainMoveFor(docked));
}

TEST(DockChaseTest, TheDockedWindowFollowsTheMainWindowFirst) {
    for (const DockSide side : {DockSide::Left, DockSide::Right}) {
        ChaseState chase(side);
        DockFrames frames = Frames({1000, 300}, {side == DockSide::Left ? 800 : 1500, 300});
        chase.Record(frames);
        frames.main = {1100, 250};
        const auto docked = chase.DockedMoveFor(frames);
        ASSERT_TRUE(docked);
        EXPECT_EQ(*docked, (side == DockSide::Left ? DockPoint{900, 250} : DockPoint{1600, 250}));
        // Recorded after the move, the second step finds nothing to do.
        frames.docked = *docked;
        chase.Record(frames);
        EXPECT_FALSE(chase.MainMoveFor(frames));
    }
}

TEST(DockChaseTest, TheMainWindowFollowsAMovedDockedWindow) {
    ChaseState left(DockSide::Left);
    DockFrames frames = Frames({1000, 300}, {800, 300});
    left.Record(frames);
    frames.docked = {100, 50};
    EXPECT_FALSE(left.DockedMoveFor(frames));
    EXPECT_EQ(left.MainMoveFor(frames), (DockPoint{300, 50}));

    ChaseState right(DockSide::Right);
    frames = Frames({1000, 300}, {1500, 300});
    right.Record(frames);
    frames.docked = {1600, 320};
    EXPECT_EQ(right.MainMoveFor(frames), (DockPoint{1100, 320}));
}

TEST(DockChaseTest, OnlyWaylandForbidsPlacingWindows) {
    EXPECT_FALSE(PlatformPlacesWindows("wayland"));
    EXPECT_FALSE(PlatformPlacesWindows("wayland-egl"));
    EXPECT_TRUE(PlatformPlacesWindows("xcb"));
    EXPECT_TRUE(PlatformPlacesWindows("offscreen"));
}

}  // namespace
}  // namespace pelmora
