#include "tools/choiview/viewer_file_names.h"

#include "listing/engine/path_ops.h"

namespace pelmora {

namespace {

std::string AsciiUpper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

}  // namespace

std::string ViewerExtension(std::string_view path) { return AsciiUpper(ExtensionOf(path)); }

std::string PluginExtension(std::string_view path) {
    for (std::size_t n = 3; n <= 5; ++n) {
        if (path.size() >= n && path[path.size() - n] == '.') return AsciiUpper(path.substr(path.size() - n + 1));
    }
    return std::string(path.size() > 5 ? path.substr(path.size() - 5) : path);
}

}  // namespace pelmora
