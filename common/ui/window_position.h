#pragma once
// Where every window opens and what it remembers of its place. A window opens at its saved
// place when its "…LastFormPosition" flag is "1" and the place lies inside the screen,
// otherwise centred; on close its place goes into the record and the settings file. Both
// ways the place is in twips relative to the window's screen, so a screen that does not
// start at the desktop's origin gives the window back where it was.

#include <string>
#include <string_view>

#include "common/window_placement.h"
#include "settings/settings_record.h"

class QWidget;

namespace pelmora {

// A window's three keys of the key table. Without names the window always opens centred
// and saves nothing.
struct WindowPositionKeys {
    std::string_view useSaved;
    std::string_view left;
    std::string_view top;
};

inline constexpr WindowPositionKeys kMainWindowPositionKeys{"LastFormPosition", "FormLeft", "FormTop"};
inline constexpr WindowPositionKeys kChoiViewPositionKeys{"CV_LastFormPosition", "CV_FormLeft", "CV_FormTop"};
inline constexpr WindowPositionKeys kHexViewPositionKeys{"Hex_LastFormPosition", "Hex_FormLeft", "Hex_FormTop"};
inline constexpr WindowPositionKeys kAclViewPositionKeys{"ACL_LastFormPosition", "ACL_FormLeft", "ACL_FormTop"};
inline constexpr WindowPositionKeys kAlwaysCentred{};

// Moves the window to where it opens, for its current frame size.
void MoveToStartPosition(QWidget& window, const Settings& settings, const WindowPositionKeys& keys);

// MoveToStartPosition for a window its owner shows next. A window manager may add the frame
// only after the window shows: then the window is placed once more, so that a centred window
// is centred with its frame, unless the user moved it before the frame came.
void PlaceForShowing(QWidget& window, const Settings& settings, const WindowPositionKeys& keys);

// PlaceForShowing and show; placed once more at once when showing reveals the frame.
void ShowAtStartPosition(QWidget& window, const Settings& settings, const WindowPositionKeys& keys);

// The window's left and top in twips, relative to its screen.
TwipsPoint PositionOnScreen(const QWidget& window);

// On close: the place into the record and into the settings file, in one locked write.
// A place that cannot be written does not keep the window open.
void SaveWindowPosition(const QWidget& window, Settings& settings, const WindowPositionKeys& keys,
                        const std::string& iniPath);

}  // namespace pelmora
