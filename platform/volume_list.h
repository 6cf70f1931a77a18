#pragma once
// The mounted volumes the drive list offers: the root file system first, then the mount
// points of real file systems in the order of the system's mount table.

#include <map>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace pelmora::platform {

struct Volume {
    std::string mountPoint;  // the folder the volume is reached at
    std::string label;       // empty when the volume has none
    std::string source;      // the device or source the table names
    std::string fileSystem;
};

// The volumes of the running system, with their labels where they have one.
std::vector<Volume> ListVolumes();

// The rule behind ListVolumes on a given mount table text: pseudo file systems are left
// out, a mount point mounted over keeps only its last (visible) mount, the root comes
// first. labelsBySource maps a source path to its label.
std::vector<Volume> VolumesFromMountTable(std::string_view mountTable,
                                          const std::map<std::string, std::string>& labelsBySource);

// True for the errors that mean "no medium" or "device not ready".
bool IsDeviceUnavailable(const std::error_code& error);

}  // namespace pelmora::platform
