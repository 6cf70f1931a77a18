// What running an image-reader plug-in apart from the program costs per picture: in a forked
// copy of the program, or in the helper program pelmora-plugin-host started afresh (which
// holds none of the program's memory). The parent first fills some memory of its own, as the
// window's process holds (a fork copies its page tables).
//
//   isolated_call_bench [pictures] [megabytes held]    (defaults: 100, 0 and 300)
//
// Columns: the plug-in run in place (no isolation); in a forked copy; a forked copy that does
// nothing; the helper program (LoadPluginPicture's way); and `true` started afresh, the least
// a fresh program costs.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/isolated_call.h"
#include "platform/process_runner.h"
#include "platform/temporary_folder.h"
#include "tools/choiview/plugin_picture.h"
#include "tools/choiview/plugin_reply.h"

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

// Pixels in this process's own memory, where a run without a helper puts them.
class HeapPixels : public platform::SharedAnswerBytes {
public:
    const void* Data() const override { return pixels.data(); }
    std::uint64_t Size() const override { return pixels.size() * sizeof(std::uint32_t); }
    std::vector<std::uint32_t> pixels;
};

// Decodes in this process, or in a forked copy that sends back the reply alone.
std::string DecodeHere(const std::string& library, const std::string& picture, HeapPixels& into) {
    return DecodeWithPlugin(library, picture, [&into](int width, int height) {
        into.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
        return into.pixels.data();
    });
}

bool Decoded(const std::optional<std::string>& reply) {
    auto pixels = std::make_shared<HeapPixels>();
    pixels->pixels.assign(8 * 6, 0);
    const std::optional<PluginPicture> picture = reply ? ReadPluginReply(*reply, pixels) : std::nullopt;
    return picture && picture->code == plugin_code::kSuccess && picture->picture.Pixels().size() == 8 * 6;
}

}  // namespace

int main(int argc, char** argv) {
    const int pictures = argc > 1 ? std::atoi(argv[1]) : 100;
    std::vector<int> heldSizes = {0, 300};
    if (argc > 2) heldSizes = {std::atoi(argv[2])};

    const std::string folder = platform::CreatePrivateTemporaryFolder("isolated_call_bench");
    if (folder.empty()) return 1;
    const std::string picture = platform::JoinPath(folder, "picture.png");
    std::ofstream(picture, std::ios::binary).write(reinterpret_cast<const char*>(kPng), sizeof kPng);
    const PluginFolders plugins{{platform::ProgramFolder()}, false};
    const std::string library = platform::JoinPath(platform::ProgramFolder(), "ifPNG.spi");

    std::printf("%d pictures (8 x 6 PNG through ifPNG.spi), median ms per picture\n", pictures);
    std::printf("%8s %9s %9s %11s %9s %12s\n", "held MB", "in place", "fork", "fork, none", "helper", "true, fresh");
    std::vector<char> held;
    for (const int megabytes : heldSizes) {
        // Touched, so that its pages are really the process's.
        held.assign(static_cast<std::size_t>(megabytes) << 20, 1);
        HeapPixels pixels;
        const double inPlace = MedianPerPicture(pictures, [&] { return Decoded(DecodeHere(library, picture, pixels)); });
        const double forked = MedianPerPicture(pictures, [&] {
            const auto decode = [&] { return DecodeHere(library, picture, pixels); };
            return Decoded(platform::RunIsolated(decode, std::chrono::seconds(30)));
        });
        const double forkedNothing = MedianPerPicture(pictures, [] {
            return platform::RunIsolated([] { return std::string("x"); }, std::chrono::seconds(30)).has_value();
        });
        const double helper = MedianPerPicture(
            pictures, [&] { return LoadPluginPicture(picture, plugins).code == plugin_code::kSuccess; });
        // The least a fresh program costs: one that does nothing.
        const double freshNothing = MedianPerPicture(pictures, [] {
            std::string error;
            const auto child = platform::ChildProcess::Start({"true"}, error);
            return child && child->WaitFor(std::chrono::seconds(30)) && child->ExitCode() == 0;
        });
        std::printf("%8d %9.3f %9.3f %11.3f %9.3f %12.3f\n", megabytes, inPlace, forked, forkedNothing, helper,
                    freshNothing);
    }
    std::filesystem::remove_all(folder);
    return 0;
}
