#pragma once
// The start-up sequence of the window program, in order. A failing step stops the sequence,
// the window still shows, and the user is told once: a device that is not ready gives a
// beep and its own message, anything else the general start-up failure.

#include <functional>

#include "app/app_paths.h"
#include "settings/settings_record.h"

namespace pelmora {

class MainWindow;
class UserDialogs;

enum class StartupStep {
    SettingsFile = 2,
    PatternFile = 3,
    MessagePicture = 4,
    LoadSettings = 5,
    WindowIcon = 7,
    PatternBox = 8,
    Position = 9,
    Show = 10,
    SelectAll = 11,
    Fonts = 12,
    NetworkWindow = 13,
    JumpWindow = 14,
    Picture = 15,
};

struct StartupHooks {
    // Runs before each step; a test makes a step fail by throwing from here.
    std::function<void(StartupStep)> beforeStep;
    // The menu commands of steps 13 and 14.
    std::function<void()> openNetworkWindow;
    std::function<void()> openJumpWindow;
};

// Runs steps 1 to 15 on a window that is not shown yet. Returns false when a step failed
// (after telling the user through dialogs).
bool RunStartup(MainWindow& window, Settings& settings, const AppPaths& paths, UserDialogs& dialogs,
                const StartupHooks& hooks = {});

}  // namespace pelmora
