// POSIX file security in the shape ACLView shows: the file's POSIX access list becomes a
// list of allow entries with Windows-style masks.
//
// The mapping, entry by entry, in the order owner, named users (by id), owning group,
// named groups (by id), others:
//   read    -> FILE_GENERIC_READ
//   write   -> FILE_GENERIC_WRITE and DELETE (removing or replacing the file needs write)
//   execute -> FILE_GENERIC_EXECUTE
//   the owner entry also carries WRITE_DAC and WRITE_OWNER (the owner may always chmod);
//   an owner with read, write and execute is full control (FILE_ALL_ACCESS).
// Named users, the owning group and named groups are cut down by the mask entry, as the
// kernel does when it checks access. The mask entry itself is not listed. The account is
// the user or group name (the numeric id where none exists); others are "Everyone".
// A file without an extended list, or on a file system without list support, is read
// from its permission bits, which is the same three-entry list.

#include "platform/security.h"

#include "platform/file_system.h"

#include <acl/libacl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/acl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

namespace pelmora::platform {
namespace {

// statfs f_type values of file systems that keep no per-file permissions.
constexpr unsigned long kFatMagic = 0x4d44;
constexpr unsigned long kExfatMagic = 0x2011BAB0;
constexpr unsigned long kIso9660Magic = 0x9660;
constexpr unsigned long kUdfMagic = 0x15013346;
constexpr unsigned long kHfsMagic = 0x4244;

constexpr int kRead = 4;
constexpr int kWrite = 2;
constexpr int kExecute = 1;

enum class Tag { Owner = 0, NamedUser = 1, OwningGroup = 2, NamedGroup = 3, Others = 4 };

struct PosixEntry {
    Tag tag;
    unsigned id = 0;  // uid or gid; unused for others
    int permissions = 0;
};

bool FileSystemKeepsPermissions(unsigned long fsType) {
    switch (fsType) {
        case kFatMagic:
        case kExfatMagic:
        case kIso9660Magic:
        case kUdfMagic:
        case kHfsMagic:
            return false;
        default:
            return true;
    }
}

// The folder holding path ("." for a bare relative name, "/" for the root).
std::string ParentOf(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

template <typename Record, typename Lookup>
bool LookUpName(Lookup lookup, unsigned id, std::string& name, char* Record::*field) {
    long suggested = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(suggested > 0 ? static_cast<size_t>(suggested) : 4096);
    for (int tries = 0; tries < 8; ++tries) {
        Record record{};
        Record* result = nullptr;
        const int error = lookup(id, &record, buffer.data(), buffer.size(), &result);
        if (error == ERANGE) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (error != 0 || result == nullptr || result->*field == nullptr) return false;
        name = result->*field;
        return true;
    }
    return false;
}

std::string UserName(uid_t uid) {
    std::string name;
    if (LookUpName<passwd>(getpwuid_r, uid, name, &passwd::pw_name)) return name;
    return std::to_string(uid);
}

std::string GroupName(gid_t gid) {
    std::string name;
    if (LookUpName<group>(getgrgid_r, gid, name, &group::gr_name)) return name;
    return std::to_string(gid);
}

int PermissionsOf(acl_entry_t entry) {
    acl_permset_t permset = nullptr;
    if (acl_get_permset(entry, &permset) != 0) return -1;
    int permissions = 0;
    if (acl_get_perm(permset, ACL_READ) == 1) permissions |= kRead;
    if (acl_get_perm(permset, ACL_WRITE) == 1) permissions |= kWrite;
    if (acl_get_perm(permset, ACL_EXECUTE) == 1) permissions |= kExecute;
    return permissions;
}

// Reads the access list into entries; false on any error of the library.
bool ReadPosixList(acl_t acl, std::vector<PosixEntry>& entries, int& mask, bool& hasMask) {
    acl_entry_t entry = nullptr;
    for (int which = ACL_FIRST_ENTRY;; which = ACL_NEXT_ENTRY) {
        const int got = acl_get_entry(acl, which, &entry);
        if (got == 0) return true;
        if (got < 0) return false;
        acl_tag_t tag = ACL_UNDEFINED_TAG;
        if (acl_get_tag_type(entry, &tag) != 0) return false;
        const int permissions = PermissionsOf(entry);
        if (permissions < 0) return false;
        PosixEntry posix{Tag::Others, 0, permissions};
        switch (tag) {
            case ACL_USER_OBJ: posix.tag = Tag::Owner; break;
            case ACL_GROUP_OBJ: posix.tag = Tag::OwningGroup; break;
            case ACL_OTHER: posix.tag = Tag::Others; break;
            case ACL_MASK:
                mask = permissions;
                hasMask = true;
                continue;
            case ACL_USER:
            case ACL_GROUP: {
                void* qualifier = acl_get_qualifier(entry);
                if (qualifier == nullptr) return false;
                posix.id = tag == ACL_USER ? static_cast<unsigned>(*static_cast<uid_t*>(qualifier))
                                           : static_cast<unsigned>(*static_cast<gid_t*>(qualifier));
                acl_free(qualifier);
                posix.tag = tag == ACL_USER ? Tag::NamedUser : Tag::NamedGroup;
                break;
            }
            default:
                continue;
        }
        entries.push_back(posix);
    }
}

std::vector<PosixEntry> EntriesFromModeBits(mode_t mode) {
    return {
        {Tag::Owner, 0, static_cast<int>((mode >> 6) & 7)},
        {Tag::OwningGroup, 0, static_cast<int>((mode >> 3) & 7)},
        {Tag::Others, 0, static_cast<int>(mode & 7)},
    };
}

std::uint32_t MaskOfPermissions(int permissions, bool owner) {
    if (owner && permissions == (kRead | kWrite | kExecute)) return kMaskFileAllAccess;
    std::uint32_t mask = 0;
    if (permissions & kRead) mask |= kMaskFileGenericRead;
    if (permissions & kWrite) mask |= kMaskFileGenericWrite | kMaskDelete;
    if (permissions & kExecute) mask |= kMaskFileGenericExecute;
    if (owner) mask |= kMaskWriteDac | kMaskWriteOwner;
    return mask;
}

class PosixSecurityService final : public SecurityService {
public:
    bool KeepsPerFilePermissions(const std::string& path) const override {
        if (path.empty() || IsNetworkPath(path)) return false;
        // A path that does not exist (yet) is judged by the folder that would hold it, so
        // that its failure shows up as an unreadable list, not as a wrong file system.
        std::string probe = path;
        for (;;) {
            struct statfs info {};
            if (statfs(probe.c_str(), &info) == 0) {
                return FileSystemKeepsPermissions(static_cast<unsigned long>(info.f_type));
            }
            if (errno != ENOENT && errno != ENOTDIR) return false;
            std::string parent = ParentOf(probe);
            if (parent == probe) return false;
            probe = std::move(parent);
        }
    }

    bool ReadAccessEntries(const std::string& path, std::vector<AccessEntry>& entries) const override {
        entries.clear();
        struct stat st {};
        if (path.empty() || stat(path.c_str(), &st) != 0) return false;

        std::vector<PosixEntry> posix;
        int mask = 7;
        bool hasMask = false;
        if (acl_t acl = acl_get_file(path.c_str(), ACL_TYPE_ACCESS)) {
            const bool ok = ReadPosixList(acl, posix, mask, hasMask);
            acl_free(acl);
            if (!ok) return false;
        } else if (errno == ENOTSUP || errno == EOPNOTSUPP) {
            posix = EntriesFromModeBits(st.st_mode);
        } else {
            return false;
        }

        std::stable_sort(posix.begin(), posix.end(), [](const PosixEntry& a, const PosixEntry& b) {
            if (a.tag != b.tag) return a.tag < b.tag;
            return a.id < b.id;
        });

        for (const PosixEntry& e : posix) {
            int permissions = e.permissions;
            if (hasMask && (e.tag == Tag::NamedUser || e.tag == Tag::OwningGroup || e.tag == Tag::NamedGroup)) {
                permissions &= mask;
            }
            AccessEntry out;
            out.type = AccessEntryType::Allowed;
            out.mask = MaskOfPermissions(permissions, e.tag == Tag::Owner);
            switch (e.tag) {
                case Tag::Owner: out.account = UserName(st.st_uid); break;
                case Tag::NamedUser: out.account = UserName(static_cast<uid_t>(e.id)); break;
                case Tag::OwningGroup: out.account = GroupName(st.st_gid); break;
                case Tag::NamedGroup: out.account = GroupName(static_cast<gid_t>(e.id)); break;
                case Tag::Others: out.account = "Everyone"; break;
            }
            entries.push_back(std::move(out));
        }
        return true;
    }
};

}  // namespace

const SecurityService& SystemSecurityService() {
    static const PosixSecurityService service;
    return service;
}

}  // namespace pelmora::platform
