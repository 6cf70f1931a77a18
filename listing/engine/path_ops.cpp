#include "listing/engine/path_ops.h"

#include "platform/file_system.h"

namespace pelmora {

namespace {

std::string_view BeforeNul(std::string_view text) {
    const auto nul = text.find('\0');
    return nul == std::string_view::npos ? text : text.substr(0, nul);
}

}  // namespace

std::string TrimAtNul(std::string_view text) { return std::string(BeforeNul(text)); }

std::string DrivePart(std::string_view) { return {}; }

std::string FolderPart(std::string_view path) {
    path = BeforeNul(path);
    const auto slash = platform::LastSeparator(path);
    if (slash == std::string_view::npos) return {};
    return std::string(path.substr(0, slash));
}

std::string FileNamePart(std::string_view path) {
    path = BeforeNul(path);
    const auto slash = platform::LastSeparator(path);
    const auto name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    if (name == "." || name == "..") return {};
    return std::string(name);
}

std::string ExtensionPart(std::string_view path) {
    path = BeforeNul(path);
    const auto dot = path.rfind('.');
    if (dot == std::string_view::npos) return {};
    return std::string(path.substr(dot + 1));
}

}  // namespace pelmora
