#include "tools/render/render_request.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <utility>

#include "tools/choiview/browser_route.h"
#include "tools/choiview/viewer_file_names.h"
#include "tools/choiview/viewer_kind.h"

namespace pelmora {

namespace {

constexpr const char* kAuthenticationFileOption = "--authentication-file";

constexpr std::array<std::pair<RenderSource, std::string_view>, 4> kSourceWords = {{
    {RenderSource::Picture, "picture"},
    {RenderSource::PluginPicture, "plugin"},
    {RenderSource::PdfPage, "pdf"},
    {RenderSource::OfficePage, "office"},
}};

constexpr int kLargestSize = 65535;

}  // namespace

RenderChoice RenderChoiceOfFile(const std::string& path, const Settings& settings) {
    const std::string_view kind = ViewerKindOfFile(path, settings);
    RenderChoice choice{std::nullopt, kind};
    if (kind == viewer_kind::kPictureBox) {
        choice.source = RenderSource::Picture;
    } else if (kind == viewer_kind::kPlugin) {
        choice.source = RenderSource::PluginPicture;
    } else if (kind == viewer_kind::kBrowser) {
        switch (BrowserRouteOfExtension(ViewerExtension(path))) {
            case BrowserRoute::Pdf:
                choice.source = RenderSource::PdfPage;
                break;
            case BrowserRoute::OfficeDocument:
                choice.source = RenderSource::OfficePage;
                break;
            case BrowserRoute::WebPage:
            case BrowserRoute::Flash:
                break;  // the web engine's, which draws nothing without a window
        }
    }
    return choice;
}

PixelSize FittedSize(PixelSize natural, int limit) {
    if (limit <= 0 || (natural.width <= limit && natural.height <= limit)) return natural;
    // The longer side becomes the limit; the other keeps the proportion, rounded.
    const double scale = std::min(static_cast<double>(limit) / natural.width, static_cast<double>(limit) / natural.height);
    return {std::clamp(static_cast<int>(std::lround(natural.width * scale)), 1, limit),
            std::clamp(static_cast<int>(std::lround(natural.height * scale)), 1, limit)};
}

std::optional<int> ParseRenderSize(std::string_view text) {
    int value = 0;
    const char* end = text.data() + text.size();
    if (text.empty() || text.size() > 5 || text.front() < '0' || text.front() > '9') return std::nullopt;
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || value < 1 || value > kLargestSize) return std::nullopt;
    return value;
}

std::vector<std::string> RenderProgramArguments(const std::string& program, const RenderRequest& request) {
    std::string word;
    for (const auto& [source, name] : kSourceWords)
        if (source == request.source) word = name;
    std::vector<std::string> arguments = {program, word, std::to_string(request.size)};
    if (!request.authenticationFile.empty())
        arguments.insert(arguments.end(), {kAuthenticationFileOption, request.authenticationFile});
    arguments.insert(arguments.end(), {"--", request.file, request.output});
    return arguments;
}

std::optional<RenderRequest> ParseRenderProgramArguments(const std::vector<std::string>& arguments) {
    RenderRequest request;
    std::size_t names = 3;
    if (arguments.size() == 8 && arguments[3] == kAuthenticationFileOption && !arguments[4].empty()) {
        request.authenticationFile = arguments[4];
        names = 5;
    }
    if (arguments.size() != names + 3 || arguments[names] != "--") return std::nullopt;
    const auto word = std::find_if(kSourceWords.begin(), kSourceWords.end(),
                                   [&](const auto& entry) { return entry.second == arguments[1]; });
    if (word == kSourceWords.end()) return std::nullopt;
    request.source = word->first;
    if (arguments[2] != "0") {
        const std::optional<int> size = ParseRenderSize(arguments[2]);
        if (!size) return std::nullopt;
        request.size = *size;
    }
    request.file = arguments[names + 1];
    request.output = arguments[names + 2];
    if (request.file.empty() || request.output.empty()) return std::nullopt;
    return request;
}

}  // namespace pelmora
