#include "app/ui/startup.h"

#include <QCoreApplication>
#include <exception>
#include <system_error>

#include "app/ui/browser_controller.h"
#include "app/ui/main_window.h"
#include "app/ui/main_window_texts.h"
#include "app/ui/picture_panel.h"
#include "app/program_files.h"
#include "i18n/translation.h"
#include "listing/engine/job_context.h"
#include "platform/file_system.h"
#include "platform/volume_list.h"
#include "settings/setting_value_error.h"
#include "settings/settings_store.h"

namespace pelmora {

namespace {

void RunSteps(MainWindow& window, Settings& settings, const AppPaths& paths, const StartupHooks& hooks) {
    auto step = [&](StartupStep which) {
        if (hooks.beforeStep) hooks.beforeStep(which);
    };
    PrepareFilesAndSettings(settings, paths, &window.Browser(), hooks.beforeStep);
    window.Pictures().SetPictureFiles(settings.FreePicture1, settings.FreePicture2);

    // Step 6, the command line, is decided in main() before any window exists.
    step(StartupStep::WindowIcon);
    window.SetWindowIconNumber(settings.WindowIcon);

    step(StartupStep::PatternBox);
    window.SetPatternItems(ReadPatternList(paths.patternPath));

    step(StartupStep::Position);
    window.PlaceAtStart();

    step(StartupStep::Show);
    window.show();
    QCoreApplication::processEvents();

    step(StartupStep::SelectAll);
    window.Browser().SelectAllFiles();
    window.Browser().SetFolderChangeSelectsAll(true);

    step(StartupStep::Fonts);
    window.ApplyListFonts();

    step(StartupStep::NetworkWindow);
    if (settings.ShowNetViewWindow == "1" && hooks.openNetworkWindow) {
        hooks.openNetworkWindow();
        window.activateWindow();
    }

    step(StartupStep::JumpWindow);
    if (settings.ShowJumpWindow == "1" && hooks.openJumpWindow) {
        hooks.openJumpWindow();
        window.activateWindow();
    }
}

}  // namespace

bool RunStartupSteps(UserDialogs& dialogs, const std::function<void()>& steps) {
    try {
        steps();
        return true;
    } catch (const SettingValueError& error) {
        // The second line tells which hand-edited key to mend.
        dialogs.ShowMessage(Translated(texts::kStartupFailed) + "\n" + error.Key() + "=" + error.Value());
    } catch (const std::system_error& error) {
        if (platform::IsDeviceUnavailable(error.code())) {
            dialogs.Beep();
            dialogs.ShowMessage(Translated(texts::kStartupDriveUnavailable));
        } else {
            dialogs.ShowMessage(Translated(texts::kStartupFailed));
        }
    } catch (const std::exception&) {
        dialogs.ShowMessage(Translated(texts::kStartupFailed));
    }
    return false;
}

void PrepareFilesAndSettings(Settings& settings, const AppPaths& paths, BrowserSettingsSink* sink,
                             const std::function<void(StartupStep)>& beforeStep) {
    auto step = [&](StartupStep which) {
        if (beforeStep) beforeStep(which);
    };
    // Step 1, the system folder, has no counterpart here: the tree printer sits beside the program.
    step(StartupStep::SettingsFile);
    EnsureSettingsFolder(paths);
    if (!platform::PathExists(paths.iniPath)) CreateDefaultIni(paths.iniPath);

    step(StartupStep::PatternFile);
    if (!platform::PathExists(paths.patternPath)) WriteDefaultPatternFile(paths.patternPath);

    step(StartupStep::MessagePicture);
    if (!platform::PathExists(paths.messagePicturePath)) WriteMessagePicture(paths.messagePicturePath);

    step(StartupStep::LoadSettings);
    LoadSettings(settings, paths.iniPath);
    NormalizeSettings(settings, paths.programFolder, sink);
}

bool RunStartup(MainWindow& window, Settings& settings, const AppPaths& paths, UserDialogs& dialogs,
                const StartupHooks& hooks) {
    const bool succeeded = RunStartupSteps(dialogs, [&] { RunSteps(window, settings, paths, hooks); });
    if (!succeeded) {
        // The window shows as far as start-up got.
        if (!window.isVisible()) window.show();
        return false;
    }

    // Step 15: a picture that cannot be loaded leaves the panel empty.
    try {
        if (hooks.beforeStep) hooks.beforeStep(StartupStep::Picture);
        window.Pictures().ShowFirstPicture();
    } catch (...) {
    }
    return true;
}

}  // namespace pelmora
