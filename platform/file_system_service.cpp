#include "platform/file_system_service.h"

#include "platform/file_system.h"
#include "platform/smb_file_system.h"

namespace pelmora::platform {

// The one place that decides which implementation serves a path: network paths
// ("//server/share/...") go to the SMB client, everything else to the local system.
FileSystem& FileSystemFor(std::string_view path) {
    return IsNetworkPath(std::string(path.substr(0, 2))) ? SmbFileSystem() : LocalFileSystem();
}

}  // namespace pelmora::platform
