#include "platform/volume_list.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <set>
#include <sstream>
#include <unistd.h>

#include "platform/file_system.h"
#include "platform/posix/mount_info_posix.h"

namespace pelmora::platform {

namespace {

// File systems with no files of the user on them.
const std::set<std::string, std::less<>> kPseudoFileSystems = {
    "autofs",  "binfmt_misc", "bpf",      "cgroup",   "cgroup2", "configfs", "debugfs",
    "devpts",  "devtmpfs",    "efivarfs", "fusectl",  "hugetlbfs", "mqueue", "nsfs",
    "proc",    "pstore",      "ramfs",    "rpc_pipefs", "securityfs", "sysfs", "tmpfs",
    "tracefs", "fuse.gvfsd-fuse", "fuse.portal", "selinuxfs", "squashfs",
};

// A name with its unsafe characters written as `marker` and two hexadecimal digits: udev
// writes a label's as \xHH, GVFS a server's or share's as %HH.
std::string UnescapeHex(std::string_view text, std::string_view marker) {
    auto hex = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t digits = i + marker.size();
        if (text.substr(i, marker.size()) == marker && digits + 1 < text.size() && hex(text[digits]) >= 0 &&
            hex(text[digits + 1]) >= 0) {
            out += static_cast<char>(hex(text[digits]) * 16 + hex(text[digits + 1]));
            i = digits + 1;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::vector<std::string_view> SplitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (start < line.size()) {
        const std::size_t end = std::min(line.find(' ', start), line.size());
        if (end > start) fields.push_back(line.substr(start, end - start));
        start = end + 1;
    }
    return fields;
}

std::string ResolvedPath(const std::string& path) {
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved)) return resolved;
    return path;
}

std::map<std::string, std::string> LabelsBySource() {
    std::map<std::string, std::string> labels;
    const std::string folder = "/dev/disk/by-label";
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return labels;
    while (dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        labels[ResolvedPath(folder + "/" + name)] = UnescapeHex(name, "\\x");
    }
    ::closedir(dir);
    return labels;
}

struct MountLine {
    std::string mountPoint;
    std::string fileSystem;
    std::string source;
};

// The lines of /proc/self/mountinfo:
// id parent major:minor root mountpoint options [optional...] - fstype source superoptions
std::vector<MountLine> MountLines(std::string_view mountTable) {
    std::vector<MountLine> lines;
    std::size_t start = 0;
    while (start < mountTable.size()) {
        std::size_t end = mountTable.find('\n', start);
        if (end == std::string_view::npos) end = mountTable.size();
        const auto fields = SplitFields(mountTable.substr(start, end - start));
        start = end + 1;
        std::size_t separator = 6;
        while (separator < fields.size() && fields[separator] != "-") ++separator;
        if (fields.size() < 5 || separator + 2 >= fields.size()) continue;
        lines.push_back({UnescapeMountField(fields[4]), UnescapeMountField(fields[separator + 1]),
                         UnescapeMountField(fields[separator + 2])});
    }
    return lines;
}

std::vector<std::string> EntryNames(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return names;
    while (dirent* entry = ::readdir(dir)) names.emplace_back(entry->d_name);
    ::closedir(dir);
    return names;
}

}  // namespace

std::vector<Volume> GvfsSmbShares(const std::string& gvfsFolder, const std::vector<std::string>& entryNames) {
    static constexpr std::string_view kPrefix = "smb-share:";
    std::vector<Volume> shares;
    for (const std::string& name : entryNames) {
        if (!name.starts_with(kPrefix)) continue;
        std::string server;
        std::string share;
        std::string_view fields = std::string_view(name).substr(kPrefix.size());
        while (!fields.empty()) {
            const std::size_t comma = std::min(fields.find(','), fields.size());
            const std::string_view field = fields.substr(0, comma);
            if (field.starts_with("server=")) server = UnescapeHex(field.substr(7), "%");
            if (field.starts_with("share=")) share = UnescapeHex(field.substr(6), "%");
            fields.remove_prefix(std::min(comma + 1, fields.size()));
        }
        if (server.empty() || share.empty()) continue;
        const std::string unc = "//" + server + "/" + share;
        shares.push_back({JoinPath(gvfsFolder, name), unc, unc, "fuse.gvfsd-fuse"});
    }
    return shares;
}

std::vector<Volume> VolumesFromMountTable(std::string_view mountTable,
                                          const std::map<std::string, std::string>& labelsBySource) {
    std::vector<Volume> volumes;
    for (MountLine& line : MountLines(mountTable)) {
        Volume volume;
        volume.mountPoint = std::move(line.mountPoint);
        volume.fileSystem = std::move(line.fileSystem);
        volume.source = std::move(line.source);
        if (volume.mountPoint != "/" && kPseudoFileSystems.count(volume.fileSystem)) continue;
        if (auto label = labelsBySource.find(volume.source); label != labelsBySource.end()) {
            volume.label = label->second;
        }
        std::erase_if(volumes, [&](const Volume& v) { return v.mountPoint == volume.mountPoint; });
        volumes.push_back(std::move(volume));
    }
    std::stable_partition(volumes.begin(), volumes.end(), [](const Volume& v) { return v.mountPoint == "/"; });
    return volumes;
}

std::vector<Volume> ListVolumes() {
    std::ifstream file("/proc/self/mountinfo");
    std::stringstream text;
    text << file.rdbuf();
    auto labels = LabelsBySource();
    // The table names devices by the path it was mounted with; labels are keyed by the
    // resolved device, so resolve each source the same way.
    std::map<std::string, std::string> bySource;
    std::string table = text.str();
    for (const auto& volume : VolumesFromMountTable(table, {})) {
        if (auto found = labels.find(ResolvedPath(volume.source)); found != labels.end()) {
            bySource[volume.source] = found->second;
        }
    }
    std::vector<Volume> volumes = VolumesFromMountTable(table, bySource);
    // The GVFS FUSE folder itself is no volume, but the SMB shares mounted inside it are.
    for (const MountLine& line : MountLines(table)) {
        if (line.fileSystem != "fuse.gvfsd-fuse") continue;
        for (Volume& share : GvfsSmbShares(line.mountPoint, EntryNames(line.mountPoint))) volumes.push_back(std::move(share));
    }
    // Bind mounts of single files (containers have them) are no folders to browse.
    std::erase_if(volumes, [](const Volume& v) { return !FolderExists(v.mountPoint); });
    if (volumes.empty() || volumes.front().mountPoint != "/") volumes.insert(volumes.begin(), Volume{"/", "", "", ""});
    return volumes;
}

bool IsDeviceUnavailable(const std::error_code& error) {
    if (error.category() != std::generic_category() && error.category() != std::system_category()) return false;
    const int value = error.value();
    return value == ENOMEDIUM || value == ENXIO || value == ENODEV;
}

}  // namespace pelmora::platform
