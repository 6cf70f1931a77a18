#include "platform/temporary_folder.h"

#include <stdlib.h>

#include <filesystem>
#include <system_error>

namespace pelmora::platform {

std::string CreatePrivateTemporaryFolder(const std::string& prefix) {
    std::error_code error;
    const std::filesystem::path base = std::filesystem::temp_directory_path(error);
    if (error) return {};
    std::string folder = (base / (prefix + "XXXXXX")).string();
    if (::mkdtemp(folder.data()) == nullptr) return {};
    return folder;
}

}  // namespace pelmora::platform
