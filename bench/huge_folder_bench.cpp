// How long the main window's thread stays blocked with a folder of 100,000 files: opening
// the folder, selecting every file, and listing them to the clipboard (ファイル名を取得).
// A timer firing every 10 ms records the longest gap between its shots in each phase; a
// gap is the time the window could not answer. Prints figures; runs offscreen by itself:
//   huge_folder_bench [COUNT] [REPETITIONS]

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

#include "app/app_paths.h"
#include "app/ui/browser_controller.h"
#include "app/ui/command_dispatcher.h"
#include "app/ui/main_window.h"
#include "app/ui/startup.h"
#include "listing/engine/selected_files.h"
#include "settings/ini_access.h"
#include "settings/settings_store.h"
#include "tests/support/fake_job_context.h"

namespace {

struct PhaseFigures {
    double wallMs = 0;
    double longestGapMs = 0;
};

// Runs the phase from the event loop with the probe ticking, and waits until the probe has
// fired twice after it, so that a block at the very end is counted too.
PhaseFigures Measure(const std::function<void()>& phase) {
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longest = 0;
    int shotsAfter = -1;
    QEventLoop loop;
    QTimer probe;
    probe.setInterval(10);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longest = std::max(longest, now - last);
        last = now;
        if (shotsAfter >= 0 && ++shotsAfter >= 2) loop.quit();
    });
    PhaseFigures figures;
    clock.start();
    probe.start();
    QTimer::singleShot(0, [&] {
        const qint64 start = clock.nsecsElapsed();
        phase();
        figures.wallMs = static_cast<double>(clock.nsecsElapsed() - start) / 1e6;
        shotsAfter = 0;
    });
    loop.exec();
    figures.longestGapMs = static_cast<double>(longest) / 1e6;
    return figures;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int repetitions = argc > 2 ? std::atoi(argv[2]) : 3;

    const auto root = std::filesystem::temp_directory_path() / ("pelmora-huge-folder-bench-" + std::to_string(::getpid()));
    const auto data = root / "data";
    std::filesystem::create_directories(data);
    std::filesystem::create_directories(root / "program");
    for (int i = 0; i < count; ++i) std::ofstream(data / ("file" + std::to_string(i) + (i % 2 ? ".txt" : ".csv")));

    pelmora::testing::FakeDialogs dialogs;
    pelmora::testing::FakeClipboard clipboard;
    pelmora::testing::FakeSaveDialog saveDialog;
    pelmora::Settings settings;
    const pelmora::AppPaths paths = pelmora::ResolveAppPathsFor((root / "program").string(), (root / "config").string());
    pelmora::CreateDefaultIni(paths.iniPath);
    pelmora::WriteIniString("Pelmora", "DirPath", root.string(), paths.iniPath);
    pelmora::MainWindow window(settings, paths, pelmora::MainWindowServices{&dialogs, &clipboard, &saveDialog, nullptr});
    if (!pelmora::RunStartup(window, settings, paths, dialogs)) {
        std::fprintf(stderr, "start-up failed\n");
        return 1;
    }
    window.show();

    struct Phase {
        const char* name;
        std::function<void()> run;
        std::vector<PhaseFigures> figures;
    };
    pelmora::BrowserController& browser = window.Browser();
    std::vector<Phase> phases = {
        {"open the folder", [&] { browser.OpenFolder(data.string()); }, {}},
        {"select all", [&] { browser.SelectAllFiles(); }, {}},
        {"list the files (clipboard)", [&] { window.Commands().GetFileNames(); }, {}},
        // The same listing without the busy state around it: the engine's part of the time.
        {"  of which the listing alone", [&] { pelmora::ListSelectedFiles(browser.State(), settings, window.Jobs()); }, {}},
        {"  of which the browser state", [&] { (void)browser.State(); }, {}},
    };
    for (int r = 0; r < repetitions; ++r) {
        browser.OpenFolder(root.string());
        for (Phase& phase : phases) phase.figures.push_back(Measure(phase.run));
    }

    std::printf("huge folder benchmark, %d files, %d repetitions (wall median, longest gap of all)\n", count,
                repetitions);
    for (Phase& phase : phases) {
        std::vector<double> walls;
        double gap = 0;
        for (const PhaseFigures& f : phase.figures) {
            walls.push_back(f.wallMs);
            gap = std::max(gap, f.longestGapMs);
        }
        std::sort(walls.begin(), walls.end());
        std::printf("  %-28s wall %8.1f ms   longest block %8.1f ms\n", phase.name, walls[walls.size() / 2], gap);
    }
    std::printf("  clipboard text: %zu bytes; messages: %zu\n", clipboard.text.size(), dialogs.messages.size());

    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
    return 0;
}
