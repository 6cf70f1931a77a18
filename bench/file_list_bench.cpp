// How long the main window's file list takes with 100,000 files: reading the folder into
// File1, selecting every entry, and handing the selection to a command. Prints figures;
// run it offscreen: file_list_bench [COUNT]

#include <QApplication>
#include <algorithm>
#include <chrono>
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
#include "app/ui/main_window.h"

namespace {

double MedianMilliseconds(int repetitions, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < repetitions; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;

    const auto root = std::filesystem::temp_directory_path() / ("pelmora-file-list-bench-" + std::to_string(::getpid()));
    const auto data = root / "data";
    std::filesystem::create_directories(data);
    std::filesystem::create_directories(root / "program");
    const auto makeStart = std::chrono::steady_clock::now();
    for (int i = 0; i < count; ++i) {
        std::ofstream(data / ("file" + std::to_string(i) + (i % 2 ? ".txt" : ".csv")));
    }
    const double makeSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - makeStart).count();

    pelmora::Settings settings;
    const pelmora::AppPaths paths = pelmora::ResolveAppPathsFor((root / "program").string(), (root / "config").string());
    pelmora::MainWindow window(settings, paths);
    pelmora::BrowserController& browser = window.Browser();
    browser.SetFolderChangeSelectsAll(true);
    window.show();

    const std::string folder = data.string();
    const double open = MedianMilliseconds(5, [&] {
        browser.SetDirPath("/");
        browser.SetDirPath(folder);  // reads the folder and selects every file
    });
    const double selectAll = MedianMilliseconds(5, [&] { browser.SelectAllFiles(); });
    std::size_t selected = 0;
    const double state = MedianMilliseconds(5, [&] {
        const pelmora::BrowserState s = browser.State();
        selected = static_cast<std::size_t>(std::count(s.selected.begin(), s.selected.end(), true));
    });
    const double pattern = MedianMilliseconds(5, [&] {
        browser.ChangePattern("*.txt");
        browser.ChangePattern("*.*");
    }) / 2;

    std::printf("file list benchmark, %d files (made in %.1f s), medians of 5\n", count, makeSeconds);
    std::printf("  open the folder (read, show, select all)   %8.1f ms\n", open);
    std::printf("  select all                                %8.1f ms\n", selectAll);
    std::printf("  selection handed to a command (%zu)    %8.1f ms\n", selected, state);
    std::printf("  change the pattern (read, show, select)   %8.1f ms\n", pattern);

    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
    return 0;
}
