#include "tools/choiview/media_route.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/file_system.h"
#include "tools/choiview/viewer_kind.h"

namespace pelmora {

namespace {

bool IsSoundFontName(const std::string& name) {
    if (name.size() < 5) return false;
    std::string ending = name.substr(name.size() - 4);
    std::transform(ending.begin(), ending.end(), ending.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return ending == ".sf2" || ending == ".sf3";
}

bool IsUsableFile(const std::string& path) {
    std::error_code error;
    // status follows links: a dangling alternatives link is no sound font.
    const auto status = std::filesystem::status(path, error);
    if (error || !std::filesystem::is_regular_file(status)) return false;
    if (std::filesystem::file_size(path, error) == 0 || error) return false;
    return std::ifstream(path, std::ios::binary).good();
}

}  // namespace

MediaRoute MediaRouteOfExtension(std::string_view extension) {
    for (const ViewerKindRule& rule : ViewerKindRules()) {
        if (rule.kind != viewer_kind::kMediaPlayer) continue;
        if (std::find(rule.extensions.begin(), rule.extensions.end(), extension) == rule.extensions.end()) continue;
        return rule.gate == &Settings::CV_mid ? MediaRoute::Synthesiser : MediaRoute::Decoder;
    }
    return MediaRoute::None;
}

std::vector<std::string> SoundFontFolders(const char* xdgDataDirs) {
    const std::string_view list =
        xdgDataDirs != nullptr && *xdgDataDirs != '\0' ? std::string_view(xdgDataDirs) : "/usr/local/share:/usr/share";
    std::vector<std::string> folders;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t end = std::min(list.find(':', start), list.size());
        const std::string data(list.substr(start, end - start));
        if (!data.empty()) {
            for (const char* below : {"sounds/sf3", "sounds/sf2", "soundfonts"})
                folders.push_back(platform::JoinPath(data, below));
        }
        start = end + 1;
    }
    return folders;
}

std::string FindSoundFont(const std::vector<std::string>& folders) {
    for (const std::string& folder : folders) {
        std::error_code error;
        std::vector<std::string> names;
        for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
            names.push_back(it->path().filename().string());
        std::sort(names.begin(), names.end());
        for (const std::string& name : names) {
            const std::string path = platform::JoinPath(folder, name);
            if (IsSoundFontName(name) && IsUsableFile(path)) return path;
        }
    }
    return {};
}

}  // namespace pelmora
