#include "listing/path_ops.h"

namespace pelmora {

namespace {

std::string_view Trimmed(std::string_view text) {
    const auto nul = text.find('\0');
    return nul == std::string_view::npos ? text : text.substr(0, nul);
}

}  // namespace

std::string TrimAtNul(std::string_view text) { return std::string(Trimmed(text)); }

std::string DrivePart(std::string_view) { return {}; }

std::string FolderPart(std::string_view path) {
    const auto trimmed = Trimmed(path);
    const auto slash = trimmed.rfind('/');
    if (slash == std::string_view::npos) return {};
    return std::string(trimmed.substr(0, slash));
}

std::string FileNamePart(std::string_view path) {
    const auto trimmed = Trimmed(path);
    const auto slash = trimmed.rfind('/');
    const auto name = slash == std::string_view::npos ? trimmed : trimmed.substr(slash + 1);
    if (name == "." || name == "..") return {};
    return std::string(name);
}

std::string ExtensionPart(std::string_view path) {
    const auto trimmed = Trimmed(path);
    const auto dot = trimmed.rfind('.');
    if (dot == std::string_view::npos) return {};
    return std::string(trimmed.substr(dot + 1));
}

}  // namespace pelmora
