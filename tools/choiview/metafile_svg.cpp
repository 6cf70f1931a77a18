#include "tools/choiview/metafile_svg.h"

#include <emf2svg.h>
#include <libwmf/api.h>
#include <libwmf/svg.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <system_error>
#include <vector>

#include "platform/file_system_service.h"

namespace pelmora {

namespace {

constexpr double kHundredthsOfMmPerInch = 2540.0;
// Larger pictures are refused rather than given an image of gigabytes.
constexpr int kLargestSide = 32768;
constexpr std::chrono::seconds kConversionTimeLimit{10};
constexpr std::size_t kLargestFile = std::size_t{256} << 20;

std::uint32_t LittleU32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}
std::int32_t LittleI32(std::string_view bytes, std::size_t at) { return static_cast<std::int32_t>(LittleU32(bytes, at)); }
std::uint16_t LittleU16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      static_cast<unsigned char>(bytes[at + 1]) << 8);
}

bool PlausibleSize(int width, int height) {
    return width > 0 && height > 0 && width <= kLargestSide && height <= kLargestSide;
}

// The libraries run in a forked copy of the program: they fault on some damaged records that
// pass the checks. Empty when they fail.
std::string ConvertApart(const std::function<std::string()>& work, const platform::IsolatedRunner& run) {
    return run([&work] { return platform::StartIsolated(work); }, kConversionTimeLimit).value_or(std::string());
}

std::int64_t Pixels(double hundredthsOfMm, double dpi) {
    return std::llround(hundredthsOfMm / kHundredthsOfMmPerInch * dpi);
}

std::optional<MetafileSvg> EmfToSvg(std::string_view bytes, double dpi, const platform::IsolatedRunner& run) {
    if (!MetafileRecordsComplete(bytes)) return std::nullopt;
    // The frame (0.01 mm) gives the size; the bounds (pixels, inclusive) when it is empty.
    MetafileSvg picture;
    const auto extent = [bytes](std::size_t from, std::size_t to) {
        return std::int64_t{LittleI32(bytes, to)} - LittleI32(bytes, from);
    };
    const std::int64_t frameWidth = extent(24, 32), frameHeight = extent(28, 36);
    const std::int64_t boundsWidth = extent(8, 16) + 1, boundsHeight = extent(12, 20) + 1;
    const bool framed = frameWidth > 0 && frameHeight > 0;
    const std::int64_t width = framed ? Pixels(static_cast<double>(frameWidth), dpi) : boundsWidth;
    const std::int64_t height = framed ? Pixels(static_cast<double>(frameHeight), dpi) : boundsHeight;
    if (width <= 0 || height <= 0 || width > kLargestSide || height > kLargestSide) return std::nullopt;
    picture.width = static_cast<int>(width);
    picture.height = static_cast<int>(height);
    picture.svg = ConvertApart([bytes, &picture] {
        generatorOptions options{};
        char noNameSpace[] = "";
        options.nameSpace = noNameSpace;
        options.svgDelimiter = true;
        options.emfplus = true;
        options.imgWidth = picture.width;
        options.imgHeight = picture.height;
        // The library reads through a mutable pointer; it gets its own copy.
        std::vector<char> contents(bytes.begin(), bytes.end());
        char* out = nullptr;
        std::size_t outLength = 0;
        const int converted = emf2svg(contents.data(), contents.size(), &out, &outLength, &options);
        std::string svg = converted != 0 && out != nullptr ? std::string(out, outLength) : std::string();
        std::free(out);
        return svg;
    }, run);
    if (picture.svg.empty()) return std::nullopt;
    return picture;
}

// libwmf's handle, destroyed on every way out.
class WmfSession {
public:
    WmfSession() {
        wmfAPI_Options options{};
        options.function = wmf_svg_function;
        const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
        if (wmf_api_create(&api_, flags, &options) != wmf_E_None) {
            if (api_ != nullptr) wmf_api_destroy(api_);
            api_ = nullptr;
        }
    }
    ~WmfSession() {
        if (api_ != nullptr) wmf_api_destroy(api_);
    }
    WmfSession(const WmfSession&) = delete;
    WmfSession& operator=(const WmfSession&) = delete;
    wmfAPI* api() const { return api_; }

private:
    wmfAPI* api_ = nullptr;
};

// The scan gives the box of what is drawn, in points; a placeable file's own bounding box
// (logical units at its units per inch) is the picture's frame, margins included.
void PlaceableFrame(std::string_view bytes, wmfD_Rect& box) {
    if (WmfHeaderOffset(bytes) == 0) return;
    const auto edge = [bytes](std::size_t at) { return static_cast<std::int16_t>(LittleU16(bytes, at)); };
    const int left = edge(6), top = edge(8), right = edge(10), bottom = edge(12);
    const int unitsPerInch = LittleU16(bytes, 14);
    if (unitsPerInch == 0 || right <= left || bottom <= top) return;
    const float pointsPerUnit = 72.0f / static_cast<float>(unitsPerInch);
    box.TL.x = static_cast<float>(left) * pointsPerUnit;
    box.TL.y = static_cast<float>(top) * pointsPerUnit;
    box.BR.x = static_cast<float>(right) * pointsPerUnit;
    box.BR.y = static_cast<float>(bottom) * pointsPerUnit;
}

// The display size as "width height" on the first line, then the SVG.
std::string PlayWmf(std::string_view bytes, double dpi) {
    WmfSession session;
    wmfAPI* api = session.api();
    if (api == nullptr) return {};
    std::vector<unsigned char> contents(bytes.begin(), bytes.end());
    if (wmf_mem_open(api, contents.data(), static_cast<long>(contents.size())) != wmf_E_None) return {};
    wmfD_Rect box{};
    unsigned int width = 0;
    unsigned int height = 0;
    std::string played;
    if (wmf_scan(api, 0, &box) == wmf_E_None && wmf_display_size(api, &width, &height, dpi, dpi) == wmf_E_None &&
        PlausibleSize(static_cast<int>(width), static_cast<int>(height))) {
        PlaceableFrame(bytes, box);
        wmf_svg_t* device = WMF_SVG_GetData(api);
        device->out = wmf_stream_create(api, nullptr);
        device->bbox = box;
        device->width = width;
        device->height = height;
        const bool drawn = device->out != nullptr && wmf_play(api, 0, &box) == wmf_E_None;
        char* out = nullptr;
        unsigned long outLength = 0;
        if (device->out != nullptr) wmf_stream_destroy(api, device->out, &out, &outLength);
        if (out != nullptr) {
            if (drawn && outLength > 0)
                played = std::to_string(width) + " " + std::to_string(height) + "\n" + std::string(out, outLength);
            wmf_free(api, out);
        }
    }
    wmf_mem_close(api);
    return played;
}

std::optional<MetafileSvg> WmfToSvg(std::string_view bytes, double dpi, const platform::IsolatedRunner& run) {
    if (!MetafileRecordsComplete(bytes)) return std::nullopt;
    const std::string played = ConvertApart([bytes, dpi] { return PlayWmf(bytes, dpi); }, run);
    MetafileSvg picture;
    const std::size_t lineEnd = played.find('\n');
    if (lineEnd == std::string::npos ||
        std::sscanf(played.c_str(), "%d %d", &picture.width, &picture.height) != 2 ||
        !PlausibleSize(picture.width, picture.height))
        return std::nullopt;
    picture.svg = played.substr(lineEnd + 1);
    return picture;
}

}  // namespace

std::optional<MetafileSvg> MetafileToSvg(std::string_view bytes, double dpi, const platform::IsolatedRunner& run) {
    switch (MetafileFormatOf(bytes)) {
        case MetafileFormat::Emf:
            return EmfToSvg(bytes, dpi, run);
        case MetafileFormat::Wmf:
            return WmfToSvg(bytes, dpi, run);
        case MetafileFormat::None:
            break;
    }
    return std::nullopt;
}

MetafileReading ReadMetafileAsSvg(const std::string& path, double dpi, const platform::IsolatedRunner& run) {
    std::error_code error;
    const auto file = platform::FileSystemFor(path).OpenFileForReading(path, error);
    if (!file) return {};
    std::string bytes;
    char chunk[65536];
    // The head first, so other pictures are not read twice.
    std::size_t wanted = kMetafileHeadSize;
    while (bytes.size() < wanted) {
        std::size_t got = 0;
        if (!file->Read(chunk, std::min(sizeof chunk, wanted - bytes.size()), got)) return {};
        if (got == 0) break;
        bytes.append(chunk, got);
        if (bytes.size() == kMetafileHeadSize) {
            if (MetafileFormatOf(bytes) == MetafileFormat::None) return {};
            if (file->Size() > kLargestFile) return {true, std::nullopt};
            wanted = kLargestFile;
        }
    }
    if (MetafileFormatOf(bytes) == MetafileFormat::None) return {};
    return {true, MetafileToSvg(bytes, dpi, run)};
}

}  // namespace pelmora
