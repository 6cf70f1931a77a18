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

// The SMB shares GVFS has mounted, from the entry names of its FUSE folder
// ("smb-share:server=nas,share=docs,user=me"): each a volume at its folder, labelled
// //server/share. Other entries (sftp, dav, ...) are left out.
std::vector<Volume> GvfsSmbShares(const std::string& gvfsFolder, const std::vector<std::string>& entryNames);

// True for the errors that mean "no medium" or "device not ready".
bool IsDeviceUnavailable(const std::error_code& error);

}  // namespace pelmora::platform
