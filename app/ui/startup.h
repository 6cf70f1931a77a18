#pragma once
// The start-up sequence, in order. The window run and the command-line run share steps 2
// to 5 (the program's files, then the settings) and the way a failure is told: once, a
// device that is not ready with a beep and its own message, anything else as the general
// start-up failure. In the window run a failing step stops the sequence and the window
// still shows.

#include <functional>

#include "app/app_paths.h"
#include "settings/settings_record.h"

namespace pelmora {

class BrowserSettingsSink;
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

// Runs steps; false (after telling the user through dialogs) when one of them throws.
bool RunStartupSteps(UserDialogs& dialogs, const std::function<void()>& steps);

// Steps 2 to 5: the settings folder and file, pattern.txt and Message1.jpg where missing,
// then the settings read and normalised; sink (may be null) gets the browser's settings.
// beforeStep (may be empty) runs before each step. Throws what the steps throw.
void PrepareFilesAndSettings(Settings& settings, const AppPaths& paths, BrowserSettingsSink* sink,
                             const std::function<void(StartupStep)>& beforeStep = {});

// Runs steps 1 to 15 on a window that is not shown yet. Returns false when a step failed
// (after telling the user through dialogs).
bool RunStartup(MainWindow& window, Settings& settings, const AppPaths& paths, UserDialogs& dialogs,
                const StartupHooks& hooks = {});

}  // namespace pelmora
