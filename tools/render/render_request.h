#pragma once
// What `pelmora-list render` asks of the drawing program pelmora-render: which of ChoiView's
// displays draws a file (decided without Qt, by the same gates as the window), and the size
// the picture is brought to.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings_record.h"

namespace pelmora {

// The drawing program, beside pelmora-list; it runs on Qt's offscreen platform.
inline constexpr const char* kRenderProgram = "pelmora-render";

enum class RenderSource {
    Picture,         // PBOX: Qt's image readers, EMF and WMF through their SVG
    PluginPicture,   // SUSIE: the image-reader plug-in in pelmora-plugin-host
    PdfPage,         // IE, PDF: the first page
    OfficePage,      // IE, office documents: the first page of the converted PDF
};

struct RenderChoice {
    std::optional<RenderSource> source;  // nothing: no drawing for this file
    std::string_view kind;               // ChoiView's kind word (empty: ChoiView shows it not)
};

// The display ChoiView would show path in, as far as a picture of it can be drawn.
RenderChoice RenderChoiceOfFile(const std::string& path, const Settings& settings);

struct PixelSize {
    int width = 0;
    int height = 0;
    bool operator==(const PixelSize&) const = default;
};

// natural scaled to fit limit x limit with its aspect kept, never enlarged; each side at
// least one pixel. limit 0: the natural size.
PixelSize FittedSize(PixelSize natural, int limit);

// "256" as a size for --size: digits only, 1 to 65535.
std::optional<int> ParseRenderSize(std::string_view text);

// The drawing program's argument vector, and its reading back (nothing for a wrong one).
struct RenderRequest {
    RenderSource source = RenderSource::Picture;
    std::string file;
    std::string output;
    int size = 0;  // 0: the natural size
    std::string authenticationFile;  // --authentication-file's path; empty: none
};
std::vector<std::string> RenderProgramArguments(const std::string& program, const RenderRequest& request);
std::optional<RenderRequest> ParseRenderProgramArguments(const std::vector<std::string>& arguments);

}  // namespace pelmora
