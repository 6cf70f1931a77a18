#pragma once
// Docked windows: a window that opens against one side of the main window and, in chase
// mode, moves with it. Positions are the outer frames' top-left corners and widths the
// outer frames' widths, in any one unit; the rule is the same for every docked window.

#include <optional>
#include <string_view>

namespace pelmora {

// The side of the main window the docked window stands on.
enum class DockSide { Left, Right };

struct DockPoint {
    int left = 0;
    int top = 0;
    friend bool operator==(const DockPoint&, const DockPoint&) = default;
};

// Both windows' frames as they are now.
struct DockFrames {
    DockPoint main;
    int mainWidth = 0;
    DockPoint docked;
    int dockedWidth = 0;
};

// Where the docked window goes so that its edge meets the main window's; top at the main
// window's top. No clamping to the screen.
DockPoint DockedPosition(DockSide side, const DockFrames& frames);

// Where the main window goes so that its edge meets the docked window's.
DockPoint MainPositionBesideDocked(DockSide side, const DockFrames& frames);

// The chase: the last recorded positions of both windows. Each tick first lets the docked
// window follow a main window that moved, records, and then lets the main window follow a
// docked window that moved; after the first step the second finds nothing to do.
class ChaseState {
public:
    explicit ChaseState(DockSide side) : side_(side) {}

    void Record(const DockFrames& frames);

    // Step one: the main window moved since the record; where the docked window goes.
    std::optional<DockPoint> DockedMoveFor(const DockFrames& frames) const;
    // Step two: the docked window moved since the record; where the main window goes.
    std::optional<DockPoint> MainMoveFor(const DockFrames& frames) const;

private:
    DockSide side_;
    DockPoint main_;
    DockPoint docked_;
};

// False for a display platform on which a program cannot place its windows (Wayland): the
// windows then open where the compositor puts them and do not chase.
bool PlatformPlacesWindows(std::string_view platformName);

}  // namespace pelmora
