#pragma once
// A main window started in a temporary program folder, with its messages, clipboard, save
// dialog and program starts answered by the test. Nothing touches the user's real settings.

#include <QApplication>
#include <QListView>
#include <QPushButton>
#include <QtTest>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/app_paths.h"
#include "app/ui/browser_controller.h"
#include "app/ui/main_window.h"
#include "app/ui/startup.h"
#include "settings/ini_access.h"
#include "settings/settings_store.h"
#include "tests/support/temp_tree.h"
#include "tests/support/fake_job_context.h"

namespace pelmora::testing {

class WindowFixture {
public:
    WindowFixture() {
        std::filesystem::create_directories(folder / "program");
        std::filesystem::create_directories(folder / "data");
        paths = ResolveAppPathsFor((folder / "program"), (folder / "config"));
    }

    // The default settings file with some keys changed, before start-up reads it.
    void PrepareIni(const std::vector<std::pair<std::string, std::string>>& keys) {
        CreateDefaultIni(paths.iniPath);
        for (const auto& [key, value] : keys) WriteIniString("Pelmora", key, value, paths.iniPath);
    }

    // Start-up as it is, whatever the settings file holds or lacks.
    bool StartAsIs(const StartupHooks& hooks = {}) {
        window = std::make_unique<MainWindow>(settings, paths,
                                              MainWindowServices{&dialogs, &clipboard, &saveDialog, starter});
        return RunStartup(*window, settings, paths, dialogs, hooks);
    }

    // Start-up on the browser's data folder unless the settings name another.
    bool Start(const StartupHooks& hooks = {}) {
        if (!std::filesystem::exists(paths.iniPath)) PrepareIni({});
        if (ReadIniString("Pelmora", "DirPath", paths.iniPath).empty()) {
            WriteIniString("Pelmora", "DirPath", DataFolder(), paths.iniPath);
        }
        return StartAsIs(hooks);
    }

    // Empty files and, for names ending in "/", folders in the browser's data folder.
    void AddData(std::initializer_list<std::string> names) const {
        for (const std::string& name : names) {
            if (name.ends_with('/')) std::filesystem::create_directories(Data(name));
            else WriteFile(Data(name), "");
        }
    }

    std::string DataFolder() const { return folder / "data"; }
    std::string Data(const std::string& name) const { return folder / "data/" + name; }

    // A button of the main window itself, not one of the same name in a dialog it owns.
    QPushButton* Button(const char* name) const {
        for (QPushButton* button : window->findChildren<QPushButton*>(name)) {
            if (button->window() == window.get()) return button;
        }
        return nullptr;
    }
    void Click(const char* button) const { QTest::mouseClick(Button(button), Qt::LeftButton); }

    // Browses the folder as a jump does and waits for the reading to end (at once for a local
    // folder); the error of a folder that cannot be read.
    std::error_code Browse(const std::string& path, int timeoutMs = 20000) const {
        std::optional<std::error_code> result;
        window->Browser().BrowseFolder(path, [&result](std::error_code error) { result = error; });
        if (!QTest::qWaitFor([&] { return result.has_value(); }, timeoutMs))
            return std::make_error_code(std::errc::timed_out);
        return *result;
    }

    void ClickFile(int row, Qt::KeyboardModifiers modifiers = {}) const {
        QListView* list = window->FileList();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers,
                          list->visualRect(list->model()->index(row, 0)).center());
    }

    TempTree folder;
    AppPaths paths;
    Settings settings;
    FakeDialogs dialogs;
    FakeClipboard clipboard;
    FakeSaveDialog saveDialog;
    platform::ProcessStarter* starter = nullptr;
    std::unique_ptr<MainWindow> window;
};

}  // namespace pelmora::testing
