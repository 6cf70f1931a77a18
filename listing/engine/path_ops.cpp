#include "listing/engine/path_ops.h"

#include <filesystem>
#include <system_error>

#include "platform/file_system.h"
#include "platform/native_path.h"

namespace pelmora {

namespace {

std::string_view BeforeNul(std::string_view text) {
    const auto nul = text.find('\0');
    return nul == std::string_view::npos ? text : text.substr(0, nul);
}

}  // namespace

std::string FolderPart(std::string_view path) {
    path = BeforeNul(path);
    const auto slash = platform::LastSeparator(path);
    if (slash == std::string_view::npos) return {};
    return std::string(path.substr(0, slash));
}

std::string_view FileNameOf(std::string_view path) {
    path = BeforeNul(path);
    const auto slash = platform::LastSeparator(path);
    const auto name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    return name == "." || name == ".." ? std::string_view() : name;
}

std::string FileNamePart(std::string_view path) { return std::string(FileNameOf(path)); }

std::string_view ExtensionOf(std::string_view path) {
    path = BeforeNul(path);
    const auto dot = path.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : path.substr(dot + 1);
}

std::string ExtensionPart(std::string_view path) { return std::string(ExtensionOf(path)); }

std::string AbsolutePath(const std::string& path) {
    // A network path is absolute already, and its leading "//" must stay.
    if (platform::IsNetworkPath(path)) return std::string(platform::WithoutTrailingSeparators(path));
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(platform::NativePath(path), error);
    if (error) return path;
    return std::string(platform::WithoutTrailingSeparators(platform::PathText(absolute.lexically_normal())));
}

}  // namespace pelmora
