#include "tools/choiview/viewable_file.h"

#include "platform/file_system_service.h"
#include "tools/choiview/viewer_file_names.h"
#include "tools/choiview/viewer_kind.h"

namespace pelmora {

bool IsRegularFileToView(const std::string& path) {
    const std::optional<platform::FileFacts> facts = platform::FileSystemFor(path).Facts(path);
    return facts && !facts->isFolder && !facts->isDanglingLink && !facts->isSpecial;
}

bool ViewerMustRefuseUnopened(const std::string& path, const Settings& settings) {
    const std::string extension = ViewerExtension(path);
    if (extension.empty() || ViewerKindOfExtension(extension, settings).empty()) return false;
    return !IsRegularFileToView(path);
}

}  // namespace pelmora
