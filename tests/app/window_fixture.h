#pragma once
// A main window started in a temporary program folder, with its messages, clipboard and
// save dialog answered by the test. Nothing touches the user's real settings.

#include <QApplication>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "app/app_paths.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "settings/ini_access.h"
#include "settings/settings_store.h"
#include "tests/app/temp_folder.h"
#include "tests/listing/fake_job_context.h"

namespace pelmora::testing {

inline void WriteTextFile(const std::string& path, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

inline std::string ReadTextFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

class WindowFixture {
public:
    WindowFixture() {
        std::filesystem::create_directories(folder.Sub("program"));
        std::filesystem::create_directories(folder.Sub("data"));
        paths = ResolveAppPathsFor(folder.Sub("program"), folder.Sub("config"));
    }

    // The default settings file with some keys changed, before start-up reads it.
    void PrepareIni(const std::vector<std::pair<std::string, std::string>>& keys) {
        CreateDefaultIni(paths.iniPath);
        for (const auto& [key, value] : keys) WriteIniString("Pelmora", key, value, paths.iniPath);
    }

    // Start-up on the browser's data folder unless the settings name another.
    bool Start(const StartupHooks& hooks = {}) {
        if (!std::filesystem::exists(paths.iniPath)) PrepareIni({});
        if (ReadIniString("Pelmora", "DirPath", paths.iniPath).empty()) {
            WriteIniString("Pelmora", "DirPath", DataFolder(), paths.iniPath);
        }
        window = std::make_unique<MainWindow>(settings, paths, MainWindowServices{&dialogs, &clipboard, &saveDialog});
        return RunStartup(*window, settings, paths, dialogs, hooks);
    }

    std::string DataFolder() const { return folder.Sub("data"); }
    std::string Data(const std::string& name) const { return folder.Sub("data/" + name); }

    TempFolder folder;
    AppPaths paths;
    Settings settings;
    FakeDialogs dialogs;
    FakeClipboard clipboard;
    FakeSaveDialog saveDialog;
    std::unique_ptr<MainWindow> window;
};

}  // namespace pelmora::testing
