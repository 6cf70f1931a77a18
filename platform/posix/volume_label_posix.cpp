#include "platform/volume_label.h"

#include <sys/statvfs.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/posix/mount_info_posix.h"

namespace pelmora::platform {
namespace {

bool IsUnder(const std::string& path, const std::string& mountPoint) {
    if (mountPoint == "/") return true;
    return path.compare(0, mountPoint.size(), mountPoint) == 0 &&
           (path.size() == mountPoint.size() || path[mountPoint.size()] == '/');
}

}  // namespace

VolumeIdentity IdentifyVolume(const std::string& path) {
    VolumeIdentity identity;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr) return identity;
    const std::string real = resolved;

    struct statvfs info {};
    if (::statvfs(real.c_str(), &info) == 0) {
        identity.serial = static_cast<std::uint32_t>(info.f_fsid & 0xFFFFFFFFu);
    }

    // The last matching line wins: later mounts cover earlier ones at the same point.
    std::ifstream mounts("/proc/self/mountinfo");
    std::string line;
    while (std::getline(mounts, line)) {
        std::istringstream fields(line);
        std::string id, parent, device, root, mountPoint;
        if (!(fields >> id >> parent >> device >> root >> mountPoint)) continue;
        mountPoint = UnescapeMountField(mountPoint);
        if (IsUnder(real, mountPoint) && mountPoint.size() >= identity.label.size()) {
            identity.label = mountPoint;
        }
    }
    return identity;
}

}  // namespace pelmora::platform
