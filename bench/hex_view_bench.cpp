// How long HexView takes from the follow call to the shown dump of a 65,536-byte file
// (the largest read count the settings offer). Runs offscreen unless told otherwise.
// Prints the dump-building time and the whole follow-to-painted time; the aim is < 50 ms.

#include <QApplication>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "settings/settings_record.h"
#include "tools/hexview/hex_dump_text.h"
#include "tools/hexview/ui/hex_view_window.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

std::string WriteRandomFile(const QTemporaryDir& dir, const char* name, std::size_t size, unsigned seed) {
    const std::string path = dir.filePath(QString::fromLatin1(name)).toStdString();
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

void Report(const char* what, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    std::printf("%-34s min %7.2f ms   median %7.2f ms   max %7.2f ms   (%zu runs)\n", what, times.front(),
                times[times.size() / 2], times.back(), times.size());
}

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid()) return 1;

    constexpr std::size_t kSize = 65536;
    constexpr int kRuns = 20;
    const std::string files[2] = {WriteRandomFile(dir, "a.bin", kSize, 1), WriteRandomFile(dir, "b.bin", kSize, 2)};

    std::vector<double> dumpTimes;
    for (int i = 0; i < kRuns; ++i) {
        const auto start = Clock::now();
        const std::string dump = pelmora::HexDumpText(files[i % 2], kSize);
        dumpTimes.push_back(Milliseconds(Clock::now() - start));
        if (dump.size() < kSize) return 1;
    }

    pelmora::Settings settings;
    settings.Hex_ReadByte = static_cast<std::int32_t>(kSize);
    pelmora::HexViewWindow window(settings, dir.filePath("Pelmora.ini").toStdString());
    window.OpenAtPlacement();
    QApplication::processEvents();
    auto* text = window.findChild<QPlainTextEdit*>("RichTextBox1");

    std::vector<double> followTimes;
    for (int i = 0; i < kRuns; ++i) {
        const auto start = Clock::now();
        window.FollowPath(files[i % 2]);
        QApplication::processEvents();
        text->viewport()->repaint();
        followTimes.push_back(Milliseconds(Clock::now() - start));
    }

    std::printf("HexView, %zu-byte file, %d lines\n", kSize, static_cast<int>(kSize / 16));
    Report("HexDumpText", dumpTimes);
    Report("follow call to painted text", followTimes);
    window.close();
    return 0;
}
