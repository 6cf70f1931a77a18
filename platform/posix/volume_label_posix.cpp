#include "platform/volume_label.h"

#include <sys/statvfs.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace pelmora::platform {
namespace {

// Mount points in mountinfo escape space, tab, newline and backslash as octal "\ooo".
std::string UnescapeMountField(const std::string& field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const std::string digits = field.substr(i + 1, 3);
            if (digits.find_first_not_of("01234567") == std::string::npos) {
                out += static_cast<char>(std::strtol(digits.c_str(), nullptr, 8));
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

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
