#include "tools/choiview/local_page_access.h"

#include <filesystem>
#include <system_error>

#include "platform/file_system.h"

namespace pelmora {

namespace {

// The folder of a path, with its last separator; empty when it has none.
std::string_view FolderOf(std::string_view path) {
    const std::size_t separator = platform::LastSeparator(path);
    return separator == std::string_view::npos ? std::string_view() : path.substr(0, separator + 1);
}

// Whether filePath lies below folder (which ends with a separator) by plain names: no empty,
// "." or ".." step, and no hidden name on the way.
bool PlainlyBelow(std::string_view folder, std::string_view filePath) {
    if (folder.empty() || filePath.size() <= folder.size() || filePath.substr(0, folder.size()) != folder) return false;
    std::string_view rest = filePath.substr(folder.size());
    while (!rest.empty()) {
        const std::size_t end = rest.find(platform::kPathSeparator);
        const std::string_view name = rest.substr(0, end);
        if (name.empty() || name.front() == '.') return false;
        if (end == std::string_view::npos) break;
        rest.remove_prefix(end + 1);
    }
    return true;
}

}  // namespace

std::optional<std::string> ResolvedPagePath(const std::string& path) {
    if (platform::IsNetworkPath(path)) return path;
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::canonical(path, error);
    if (error) return std::nullopt;
    return resolved.string();
}

bool LocalPageMayLoad(std::string_view pagePath, std::string_view filePath, LocalFileUse use) {
    if (use == LocalFileUse::Request || pagePath.empty()) return false;
    if (filePath == pagePath) return true;
    const std::string_view folder = FolderOf(pagePath);
    if (!PlainlyBelow(folder, filePath)) return false;
    // The same where the links lead: the folder may itself be reached through a link, so it
    // is resolved too.
    const std::optional<std::string> resolvedFolder = ResolvedPagePath(std::string(folder));
    const std::optional<std::string> resolvedFile = ResolvedPagePath(std::string(filePath));
    if (!resolvedFolder || !resolvedFile) return false;
    std::string below = *resolvedFolder;
    if (below.empty() || below.back() != platform::kPathSeparator) below += platform::kPathSeparator;
    return PlainlyBelow(below, *resolvedFile);
}

}  // namespace pelmora
