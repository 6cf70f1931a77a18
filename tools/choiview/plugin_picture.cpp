#include "tools/choiview/plugin_picture.h"

#include <chrono>
#include <cstring>
#include <span>

#include "platform/isolated_call.h"
#include "platform/shared_library.h"
#include "tools/choiview/plugin_choice.h"
#include "tools/choiview/spi/pelmora_spi.h"
#include "tools/choiview/viewer_file_names.h"

namespace pelmora {

namespace {

// Long enough for the largest picture shown.
constexpr std::chrono::seconds kPluginTimeLimit{30};

using GetPictureFunction = int (*)(const char*, long, unsigned int, SPI_HLOCAL*, SPI_HLOCAL*, SPI_PROGRESS_CALLBACK,
                                   long);

// The two blocks a plug-in returned, freed whatever happens (information block first).
class ReturnedBlocks {
public:
    ~ReturnedBlocks() {
        SpiLocalFree(info);
        SpiLocalFree(pixels);
    }
    SPI_HLOCAL info = nullptr;
    SPI_HLOCAL pixels = nullptr;
};

std::span<const std::uint8_t> BytesOf(SPI_HLOCAL block, const void* locked) {
    return {static_cast<const std::uint8_t*>(locked), SpiLocalSize(block)};
}

// What the plug-in's run sends back: kUnusable, or kCode with the code as 4 bytes followed,
// for code 0, by the width, the height (4 bytes each) and the pixels.
constexpr char kUnusable = 'U';
constexpr char kCode = 'C';

template <typename T>
void Append(std::string& reply, const T* values, std::size_t count) {
    reply.append(reinterpret_cast<const char*>(values), sizeof(T) * count);
}

// Runs apart from the program: loads the plug-in, lets it decode the file and checks what it
// returns.
std::string DecodeWithPlugin(const std::string& library, const std::string& path) {
    std::string error;
    const std::unique_ptr<platform::SharedLibrary> plugin = platform::OpenSharedLibrary(library, error);
    const auto getPicture =
        plugin ? reinterpret_cast<GetPictureFunction>(plugin->Symbol("GetPicture")) : GetPictureFunction{};
    if (getPicture == nullptr) return std::string(1, kUnusable);

    ReturnedBlocks blocks;
    std::int32_t code = getPicture(path.c_str(), 0, SPI_INPUT_FILE, &blocks.info, &blocks.pixels, nullptr, 0);
    const void* info = SpiLocalLock(blocks.info);
    const void* pixels = SpiLocalLock(blocks.pixels);
    RgbPicture picture;
    if (info == nullptr || pixels == nullptr) {
        code = plugin_code::kNoBlock;
    } else if (code == plugin_code::kSuccess) {
        DibReading dib = ReadDib(BytesOf(blocks.info, info), BytesOf(blocks.pixels, pixels));
        switch (dib.outcome) {
            case DibReading::Outcome::Painted: picture = std::move(dib.picture); break;
            case DibReading::Outcome::BlocksTooSmall: code = plugin_code::kNoBlock; break;
            case DibReading::Outcome::NotPaintable: code = plugin_code::kPaintFailed; break;
        }
    }
    SpiLocalUnlock(blocks.info);
    SpiLocalUnlock(blocks.pixels);

    std::string reply(1, kCode);
    Append(reply, &code, 1);
    if (code == plugin_code::kSuccess) {
        const std::int32_t size[2] = {picture.width, picture.height};
        Append(reply, size, 2);
        Append(reply, picture.pixels.data(), picture.pixels.size());
    }
    return reply;
}

// The reply read back; nullopt when it is not one DecodeWithPlugin makes.
std::optional<PluginPicture> ReadReply(const std::string& reply) {
    if (reply.size() < 5 || reply[0] != kCode) return std::nullopt;
    PluginPicture result;
    std::int32_t code = 0;
    std::memcpy(&code, reply.data() + 1, sizeof code);
    result.code = code;
    if (code != plugin_code::kSuccess) return result;
    std::int32_t size[2] = {0, 0};
    if (reply.size() < 13) return std::nullopt;
    std::memcpy(size, reply.data() + 5, sizeof size);
    const std::uint64_t pixels = static_cast<std::uint64_t>(size[0]) * static_cast<std::uint64_t>(size[1]);
    if (size[0] <= 0 || size[1] <= 0 || reply.size() - 13 != pixels * sizeof(std::uint32_t)) return std::nullopt;
    result.picture.width = size[0];
    result.picture.height = size[1];
    result.picture.pixels.resize(pixels);
    std::memcpy(result.picture.pixels.data(), reply.data() + 13, reply.size() - 13);
    return result;
}

}  // namespace

PluginPicture LoadPluginPicture(const std::string& path, const PluginFolders& where) {
    PluginPicture result;
    const std::string library(PluginLibraryOf(PluginExtension(path)));
    if (library.empty()) {
        result.code = plugin_code::kNoPlugin;
        return result;
    }
    // Only a library found in one of the folders is loaded, by its full path: the loader's
    // own search of a bare name could take one from the current folder.
    const std::optional<std::string> found = FindPluginLibrary(library, where);
    if (!found) {
        result.failureMessage = PluginFailureMessage(library, false);
        return result;
    }
    // A plug-in that crashes or hangs on a file is one that failed to show it.
    const std::optional<std::string> reply =
        platform::RunIsolated([&] { return DecodeWithPlugin(*found, path); }, kPluginTimeLimit);
    if (std::optional<PluginPicture> decoded = reply ? ReadReply(*reply) : std::nullopt) return std::move(*decoded);
    result.failureMessage = PluginFailureMessage(library, true);
    return result;
}

}  // namespace pelmora
