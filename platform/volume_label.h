#pragma once
// Which volume a path lies on, as the tree printer names it in its two header lines.

#include <cstdint>
#include <string>

namespace pelmora::platform {

struct VolumeIdentity {
    std::string label;          // POSIX: the mount point of the file system holding the path
    std::uint32_t serial = 0;   // POSIX: the low 32 bits of the file system id
};

// Empty label and serial 0 when the path cannot be examined.
VolumeIdentity IdentifyVolume(const std::string& path);

}  // namespace pelmora::platform
