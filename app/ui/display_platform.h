#pragma once
// Choosing Qt's platform plugin for a run that may have no display. Qt aborts when its
// plugin cannot connect, so every choice ends with the "offscreen" fallback; a run that
// lands there has no display and works on standard streams instead.

#include <string>
#include <string_view>

namespace pelmora {

// The QT_QPA_PLATFORM list for the given environment values (null when unset), or the empty
// text when there is no display to try. A display is there when DISPLAY or WAYLAND_DISPLAY
// is set; X11 comes first because a Wayland client cannot take the clipboard without a
// focused window, while XWayland hands an X11 selection on to Wayland programs.
std::string QtPlatformPreference(const char* display, const char* waylandDisplay, const char* requested);

// The QT_QPA_PLATFORM list of the window run, or the empty text to leave Qt's own choice.
// The user's choice stands; otherwise X11 comes first whenever it is there (XWayland under a
// Wayland session), since only there the program can place its docked windows.
std::string WindowRunPlatformPreference(const char* display, const char* waylandDisplay, const char* requested);

// True for a plugin that talks to a real display (not "offscreen" or "minimal").
bool IsDisplayPlatform(std::string_view platformName);

}  // namespace pelmora
