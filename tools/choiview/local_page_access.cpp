#include "tools/choiview/local_page_access.h"

#include "platform/file_system.h"

namespace pelmora {

bool LocalPageMayLoad(std::string_view pagePath, std::string_view filePath, LocalFileUse use) {
    if (use == LocalFileUse::Navigation) return true;
    if (use == LocalFileUse::Request || pagePath.empty()) return false;
    const std::size_t separator = platform::LastSeparator(pagePath);
    if (separator == std::string_view::npos) return false;
    const std::string_view folder = pagePath.substr(0, separator + 1);
    if (filePath.size() <= folder.size() || filePath.substr(0, folder.size()) != folder) return false;
    // Below the folder: no step up, no hidden name on the way.
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

}  // namespace pelmora
