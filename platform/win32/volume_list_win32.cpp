#include "platform/volume_list.h"

#include <windows.h>

namespace pelmora::platform {

// Not available on Windows yet (GetLogicalDriveStringsW comes with the window's port), and
// Windows has neither a mount table nor gvfs: no volume is listed.

std::vector<Volume> ListVolumes() { return {}; }

std::vector<Volume> VolumesFromMountTable(std::string_view, const std::map<std::string, std::string>&) { return {}; }

std::vector<Volume> GvfsSmbShares(const std::string&, const std::vector<std::string>&) { return {}; }

bool IsDeviceUnavailable(const std::error_code& error) {
    return error.category() == std::system_category() &&
           (error.value() == ERROR_NOT_READY || error.value() == ERROR_DEV_NOT_EXIST);
}

}  // namespace pelmora::platform
