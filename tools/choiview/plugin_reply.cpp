#include "tools/choiview/plugin_reply.h"

#include <cstring>
#include <memory>
#include <span>

#include "platform/shared_library.h"
#include "tools/choiview/spi/pelmora_spi.h"

namespace pelmora {

namespace {

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
// for code 0, by the width and the height (4 bytes each); the pixels are elsewhere.
constexpr char kUnusable = 'U';
constexpr char kCode = 'C';

template <typename T>
void Append(std::string& reply, const T* values, std::size_t count) {
    reply.append(reinterpret_cast<const char*>(values), sizeof(T) * count);
}

}  // namespace

std::string DecodeWithPlugin(const std::string& library, const std::string& path, const DibPlace& place) {
    std::string error;
    const std::unique_ptr<platform::SharedLibrary> plugin = platform::OpenSharedLibrary(library, error);
    const auto getPicture =
        plugin ? reinterpret_cast<GetPictureFunction>(plugin->Symbol("GetPicture")) : GetPictureFunction{};
    if (getPicture == nullptr) return std::string(1, kUnusable);

    ReturnedBlocks blocks;
    std::int32_t code = getPicture(path.c_str(), 0, SPI_INPUT_FILE, &blocks.info, &blocks.pixels, nullptr, 0);
    const void* info = SpiLocalLock(blocks.info);
    const void* pixels = SpiLocalLock(blocks.pixels);
    std::int32_t size[2] = {0, 0};
    if (info == nullptr || pixels == nullptr) {
        code = plugin_code::kNoBlock;
    } else if (code == plugin_code::kSuccess) {
        const DibPlace sized = [&](int width, int height) {
            size[0] = width;
            size[1] = height;
            return place(width, height);
        };
        switch (ReadDibInto(BytesOf(blocks.info, info), BytesOf(blocks.pixels, pixels), sized)) {
            case DibReading::Outcome::Painted: break;
            case DibReading::Outcome::BlocksTooSmall: code = plugin_code::kNoBlock; break;
            case DibReading::Outcome::NotPaintable: code = plugin_code::kPaintFailed; break;
        }
    }
    SpiLocalUnlock(blocks.info);
    SpiLocalUnlock(blocks.pixels);

    std::string reply(1, kCode);
    Append(reply, &code, 1);
    if (code == plugin_code::kSuccess) Append(reply, size, 2);
    return reply;
}

std::optional<PluginPicture> ReadPluginReply(const std::string& reply,
                                             std::shared_ptr<const platform::SharedAnswerBytes> pixels) {
    if (reply.size() < 5 || reply[0] != kCode) return std::nullopt;
    PluginPicture result;
    std::int32_t code = 0;
    std::memcpy(&code, reply.data() + 1, sizeof code);
    result.code = code;
    if (code != plugin_code::kSuccess) return result;
    std::int32_t size[2] = {0, 0};
    if (reply.size() != 13) return std::nullopt;
    std::memcpy(size, reply.data() + 5, sizeof size);
    if (size[0] <= 0 || size[1] <= 0) return std::nullopt;
    const std::uint64_t count = static_cast<std::uint64_t>(size[0]) * static_cast<std::uint64_t>(size[1]);
    // The helper's word is checked against what it really left: nothing past the block is read.
    if (count > static_cast<std::uint64_t>(kMaxDibPixels) || !pixels || pixels->Size() / sizeof(std::uint32_t) < count)
        return std::nullopt;
    result.picture.width = size[0];
    result.picture.height = size[1];
    result.picture.pixels = std::move(pixels);
    return result;
}

}  // namespace pelmora
