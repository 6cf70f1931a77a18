#include "common/dock_chase.h"

namespace pelmora {

DockPoint DockedPosition(DockSide side, const DockFrames& frames) {
    const int left = side == DockSide::Left ? frames.main.left - frames.dockedWidth
                                            : frames.main.left + frames.mainWidth;
    return {left, frames.main.top};
}

DockPoint MainPositionBesideDocked(DockSide side, const DockFrames& frames) {
    const int left = side == DockSide::Left ? frames.docked.left + frames.dockedWidth
                                            : frames.docked.left - frames.mainWidth;
    return {left, frames.docked.top};
}

void ChaseState::Record(const DockFrames& frames) {
    main_ = frames.main;
    docked_ = frames.docked;
}

std::optional<DockPoint> ChaseState::DockedMoveFor(const DockFrames& frames) const {
    if (frames.main == main_) return std::nullopt;
    return DockedPosition(side_, frames);
}

std::optional<DockPoint> ChaseState::MainMoveFor(const DockFrames& frames) const {
    if (frames.docked == docked_) return std::nullopt;
    return MainPositionBesideDocked(side_, frames);
}


bool PlatformPlacesWindows(std::string_view platformName) {
    return !platformName.starts_with("wayland");
}

}  // namespace pelmora
