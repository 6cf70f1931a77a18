// What running an image-reader plug-in apart from the program costs per picture: the forked
// copy of the program (the way it runs today) against a program started afresh, which would
// hold none of the program's memory. The parent first fills some memory of its own, as the
// window's process holds (a fork copies its page tables).
//
//   isolated_call_bench [pictures] [megabytes held]    (defaults: 100, 0 and 300)
//
// Columns: the plug-in run in place (no isolation); in a forked copy (RunIsolated); a forked
// copy that does nothing; a fresh program decoding the picture, which is this one started
// again with --decode (it links the whole core, so its start is an upper bound for a small
// helper program); and `true` started afresh, the least any fresh program costs.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/isolated_call.h"
#include "platform/process_runner.h"
#include "platform/temporary_folder.h"
#include "tools/choiview/plugin_picture.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace pelmora;

// An 8 x 6 PNG: the decoding itself costs next to nothing, so the figures are the isolation's.
constexpr unsigned char kPng[] = {
    0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44, 0x52, 0x00, 0x00,
    0x00, 0x08, 0x00, 0x00, 0x00, 0x06, 0x08, 0x02, 0x00, 0x00, 0x00, 0x71, 0x67, 0x48, 0xac, 0x00, 0x00, 0x00,
    0x09, 0x70, 0x48, 0x59, 0x73, 0x00, 0x00, 0x0e, 0xc4, 0x00, 0x00, 0x0e, 0xc4, 0x01, 0x95, 0x2b, 0x0e, 0x1b,
    0x00, 0x00, 0x00, 0x27, 0x49, 0x44, 0x41, 0x54, 0x08, 0x99, 0x63, 0x64, 0x60, 0xe0, 0x92, 0x63, 0xd8, 0x27,
    0xc7, 0xe0, 0x84, 0x46, 0xb2, 0x30, 0x68, 0xec, 0x63, 0x60, 0x70, 0x62, 0x60, 0x40, 0x27, 0x59, 0x18, 0x34,
    0xb0, 0x88, 0x32, 0x50, 0x55, 0x07, 0x00, 0x80, 0xb3, 0x19, 0x78, 0x09, 0x16, 0xa4, 0x23, 0x00, 0x00, 0x00,
    0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};

// The work run where it is called: no isolation.
std::optional<std::string> RunHere(const std::function<std::string()>& work, std::chrono::milliseconds) {
    return work();
}

PluginFolders Plugins() { return {{platform::ProgramFolder()}, false}; }

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

template <typename Decode>
double MedianPerPicture(int pictures, Decode decode) {
    std::vector<double> times;
    for (int i = 0; i < pictures; ++i) {
        const auto start = Clock::now();
        if (!decode()) {
            std::fprintf(stderr, "a picture was not decoded\n");
            std::exit(1);
        }
        times.push_back(Milliseconds(Clock::now() - start));
    }
    return Median(times);
}

// The fresh program's way: start, decode there, answer through a file, end.
bool DecodeInFreshProgram(const std::string& self, const std::string& picture, const std::string& answer) {
    std::string error;
    const auto child = platform::ChildProcess::Start({self, "--decode", picture, answer}, error);
    if (!child || !child->WaitFor(std::chrono::seconds(30)) || child->ExitCode() != 0) return false;
    std::ifstream in(answer, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str().size() == 8 * 6 * 4;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--decode") == 0) {
        const PluginPicture decoded = LoadPluginPicture(argv[2], Plugins(), RunHere);
        if (decoded.code != plugin_code::kSuccess) return 1;
        std::ofstream(argv[3], std::ios::binary)
            .write(reinterpret_cast<const char*>(decoded.picture.pixels.data()),
                   static_cast<std::streamsize>(decoded.picture.pixels.size() * 4));
        return 0;
    }
    const int pictures = argc > 1 ? std::atoi(argv[1]) : 100;
    std::vector<int> heldSizes = {0, 300};
    if (argc > 2) heldSizes = {std::atoi(argv[2])};

    const std::string folder = platform::CreatePrivateTemporaryFolder("isolated_call_bench");
    if (folder.empty()) return 1;
    const std::string picture = platform::JoinPath(folder, "picture.png");
    const std::string answer = platform::JoinPath(folder, "answer");
    std::ofstream(picture, std::ios::binary).write(reinterpret_cast<const char*>(kPng), sizeof kPng);
    const std::string self = platform::JoinPath(platform::ProgramFolder(), "isolated_call_bench");
    const auto decodes = [&](const platform::IsolatedRunner& run) {
        return [&picture, run] { return LoadPluginPicture(picture, Plugins(), run).code == plugin_code::kSuccess; };
    };

    std::printf("%d pictures (8 x 6 PNG through ifPNG.spi), median ms per picture\n", pictures);
    std::printf("%8s %9s %9s %11s %9s %12s\n", "held MB", "in place", "fork", "fork, none", "fresh", "true, fresh");
    std::vector<char> held;
    for (const int megabytes : heldSizes) {
        // Touched, so that its pages are really the process's.
        held.assign(static_cast<std::size_t>(megabytes) << 20, 1);
        const double inPlace = MedianPerPicture(pictures, decodes(RunHere));
        const double forked = MedianPerPicture(pictures, decodes(platform::RunIsolated));
        const double forkedNothing = MedianPerPicture(pictures, [] {
            return platform::RunIsolated([] { return std::string("x"); }, std::chrono::seconds(30)).has_value();
        });
        const double fresh = MedianPerPicture(pictures, [&] { return DecodeInFreshProgram(self, picture, answer); });
        // The least a fresh program costs: one that does nothing.
        const double freshNothing = MedianPerPicture(pictures, [] {
            std::string error;
            const auto child = platform::ChildProcess::Start({"true"}, error);
            return child && child->WaitFor(std::chrono::seconds(30)) && child->ExitCode() == 0;
        });
        std::printf("%8d %9.3f %9.3f %11.3f %9.3f %12.3f\n", megabytes, inPlace, forked, forkedNothing, fresh,
                    freshNothing);
    }
    std::filesystem::remove_all(folder);
    return 0;
}
