#include "tools/choiview/plugin_picture.h"

#include <span>

#include "platform/shared_library.h"
#include "tools/choiview/plugin_choice.h"
#include "tools/choiview/spi/pelmora_spi.h"
#include "tools/choiview/viewer_file_names.h"

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

}  // namespace

PluginPicture LoadPluginPicture(const std::string& path, const PluginFolders& where) {
    PluginPicture result;
    const std::string library(PluginLibraryOf(PluginExtension(path)));
    if (library.empty()) {
        result.code = plugin_code::kNoPlugin;
        return result;
    }
    const std::optional<std::string> found = FindPluginLibrary(library, where);
    std::string error;
    // Not in a known folder: the system's own search may still know it.
    const std::unique_ptr<platform::SharedLibrary> plugin =
        platform::OpenSharedLibrary(found ? *found : library, error);
    const auto getPicture =
        plugin ? reinterpret_cast<GetPictureFunction>(plugin->Symbol("GetPicture")) : GetPictureFunction{};
    if (getPicture == nullptr) {
        result.failureMessage = PluginFailureMessage(library, found.has_value());
        return result;
    }

    ReturnedBlocks blocks;
    result.code = getPicture(path.c_str(), 0, SPI_INPUT_FILE, &blocks.info, &blocks.pixels, nullptr, 0);
    const void* info = SpiLocalLock(blocks.info);
    const void* pixels = SpiLocalLock(blocks.pixels);
    if (info == nullptr || pixels == nullptr) {
        result.code = plugin_code::kNoBlock;
    } else if (result.code == plugin_code::kSuccess) {
        DibReading dib = ReadDib(BytesOf(blocks.info, info), BytesOf(blocks.pixels, pixels));
        switch (dib.outcome) {
            case DibReading::Outcome::Painted: result.picture = std::move(dib.picture); break;
            case DibReading::Outcome::BlocksTooSmall: result.code = plugin_code::kNoBlock; break;
            case DibReading::Outcome::NotPaintable: result.code = plugin_code::kPaintFailed; break;
        }
    }
    SpiLocalUnlock(blocks.info);
    SpiLocalUnlock(blocks.pixels);
    return result;
}

}  // namespace pelmora
