#pragma once
// File security as ACLView needs it: whether a path's file system keeps per-file
// permissions at all, and the access entries of one file or folder, each with its type,
// a Windows-style access mask and the account it names.

#include <cstdint>
#include <string>
#include <vector>

namespace pelmora::platform {

// Values as in a Windows ACE header, so that masks and types read the same everywhere.
enum class AccessEntryType : std::uint8_t {
    Allowed = 0,
    Denied = 1,
};

// Access-mask bits and groups used by the entries.
inline constexpr std::uint32_t kMaskDelete = 0x00010000;
inline constexpr std::uint32_t kMaskWriteDac = 0x00040000;
inline constexpr std::uint32_t kMaskWriteOwner = 0x00080000;
inline constexpr std::uint32_t kMaskFileAllAccess = 0x001F01FF;
inline constexpr std::uint32_t kMaskFileGenericRead = 0x00120089;
inline constexpr std::uint32_t kMaskFileGenericWrite = 0x00120116;
inline constexpr std::uint32_t kMaskFileGenericExecute = 0x001200A0;

struct AccessEntry {
    AccessEntryType type = AccessEntryType::Allowed;
    std::uint32_t mask = 0;
    std::string account;  // account name without domain; empty when it cannot be looked up
};

class SecurityService {
public:
    virtual ~SecurityService() = default;
    // False for file systems without per-file permissions, for network paths and for
    // paths whose volume cannot be examined.
    virtual bool KeepsPerFilePermissions(const std::string& path) const = 0;
    // False when the file's access list cannot be read. True with an empty list when the
    // file has no access list.
    virtual bool ReadAccessEntries(const std::string& path, std::vector<AccessEntry>& entries) const = 0;
};

// The service of the running system.
const SecurityService& SystemSecurityService();

}  // namespace pelmora::platform
