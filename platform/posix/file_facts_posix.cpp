#include "platform/file_facts.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <atomic>
#include <cstring>

namespace pelmora::platform {

namespace {

FileTime ToFileTime(const struct statx_timestamp& stamp) { return FileTime{true, stamp.tv_sec}; }

FileFacts FactsFrom(const struct statx& status) {
    FileFacts facts;
    facts.isFolder = S_ISDIR(status.stx_mode);
    // A folder has no size of its own in a listing, as on Windows.
    facts.size = facts.isFolder ? 0 : status.stx_size;
    facts.ownerCanWrite = (status.stx_mode & S_IWUSR) != 0;
    if (status.stx_mask & STATX_BTIME) facts.creation = ToFileTime(status.stx_btime);
    if (status.stx_mask & STATX_MTIME) facts.lastWrite = ToFileTime(status.stx_mtime);
    if (status.stx_mask & STATX_ATIME) facts.lastAccess = ToFileTime(status.stx_atime);
    return facts;
}

std::uint32_t ReadLittleEndian(const unsigned char* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = (value << 8) | bytes[i];
    return value;
}

std::string_view BaseName(std::string_view path) {
    while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

constexpr const char* kDosAttribName = "user.DOSATTRIB";

// The stored value when it is understood, else the bits the facts and the name give.
std::uint32_t DosAttributesFrom(const char* value, ssize_t length, std::string_view name, const FileFacts& facts) {
    if (length > 0) {
        if (const auto bits = ParseDosAttribValue(std::string_view(value, static_cast<std::size_t>(length)))) {
            return *bits & (kDosReadOnly | kDosHidden | kDosSystem | kDosArchive);
        }
    }
    std::uint32_t bits = 0;
    if (!facts.ownerCanWrite) bits |= kDosReadOnly;
    if (!name.empty() && name[0] == '.' && name != "." && name != "..") bits |= kDosHidden;
    return bits;
}

// Reading an extended attribute relative to an open folder (Linux 6.13 and later) spares the
// walk down the full path for every file. Older headers do not name the call; its number is
// the same on these architectures.
#if defined(SYS_getxattrat)
constexpr long kGetXattrAt = SYS_getxattrat;
#elif defined(__x86_64__) || defined(__aarch64__)
constexpr long kGetXattrAt = 464;
#else
constexpr long kGetXattrAt = -1;
#endif

struct XattrArgs {  // struct xattr_args
    std::uint64_t value;
    std::uint32_t size;
    std::uint32_t flags;
};

// Set once the system has refused the call (too old, or filtered): no file asks again.
std::atomic<bool> relativeReadUnavailable{kGetXattrAt < 0};

// The value's length, or -1 with errno set.
ssize_t GetAttributeAt(int folderHandle, const std::string& name, bool noFollow, char* buffer, std::size_t size) {
    XattrArgs args{reinterpret_cast<std::uintptr_t>(buffer), static_cast<std::uint32_t>(size), 0};
    return static_cast<ssize_t>(syscall(kGetXattrAt, folderHandle, name.c_str(),
                                        noFollow ? AT_SYMLINK_NOFOLLOW : 0, kDosAttribName, &args, sizeof args));
}

}  // namespace

std::optional<FileFacts> ReadFileFacts(const std::string& path) { return ReadFileFactsAt(AT_FDCWD, path); }

std::optional<FileFacts> ReadFileFactsAt(int folderHandle, const std::string& path) {
    constexpr unsigned kWanted = STATX_TYPE | STATX_MODE | STATX_SIZE | STATX_MTIME | STATX_ATIME | STATX_BTIME;
    struct statx status {};
    if (statx(folderHandle, path.c_str(), AT_STATX_SYNC_AS_STAT, kWanted, &status) == 0) return FactsFrom(status);
    if (errno != ENOENT && errno != ELOOP) return std::nullopt;
    // The target is missing (or the links loop): a link still lists with its own facts.
    if (statx(folderHandle, path.c_str(), AT_STATX_SYNC_AS_STAT | AT_SYMLINK_NOFOLLOW, kWanted, &status) != 0 ||
        !S_ISLNK(status.stx_mode)) {
        return std::nullopt;
    }
    FileFacts facts = FactsFrom(status);
    facts.isDanglingLink = true;
    return facts;
}

// Older Samba stores the bits as the text "0x..." (NUL-terminated). Newer Samba stores an
// NDR record: that same text (possibly empty), padding to an even offset, the uint16
// version twice (version and union tag), padding to a multiple of four, then an info
// record whose layout depends on the version.
std::optional<std::uint32_t> ParseDosAttribValue(std::string_view value) {
    const auto nul = value.find('\0');
    const std::string_view text = value.substr(0, nul);
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        std::uint32_t bits = 0;
        const auto* first = text.data() + 2;
        const auto* last = text.data() + text.size();
        const auto [end, error] = std::from_chars(first, last, bits, 16);
        if (error == std::errc{} && end == last) return bits;
        return std::nullopt;
    }
    if (nul == std::string_view::npos) return std::nullopt;

    const auto* bytes = reinterpret_cast<const unsigned char*>(value.data());
    std::size_t offset = nul + 1;
    offset += offset % 2;
    if (offset + 4 > value.size()) return std::nullopt;
    const std::uint32_t version = ReadLittleEndian(bytes + offset, 2);
    offset += 4;
    offset = (offset + 3) / 4 * 4;
    auto wordAt = [&](std::size_t index) -> std::optional<std::uint32_t> {
        const std::size_t at = offset + 4 * index;
        if (at + 4 > value.size()) return std::nullopt;
        return ReadLittleEndian(bytes + at, 4);
    };
    switch (version) {
        case 0xFFFF:
        case 1:
            return wordAt(0);  // attrib first
        case 2:
            return wordAt(1);  // flags, attrib
        case 3:
        case 4:
        case 5: {
            constexpr std::uint32_t kAttribValid = 0x1;
            const auto valid = wordAt(0);
            if (!valid || (*valid & kAttribValid) == 0) return std::nullopt;
            return wordAt(1);  // valid flags, attrib
        }
        default:
            return std::nullopt;
    }
}

std::uint32_t ReadDosAttributes(const std::string& path, const FileFacts& facts) {
    char buffer[256];
    const ssize_t length = facts.isDanglingLink ? lgetxattr(path.c_str(), kDosAttribName, buffer, sizeof buffer)
                                                : getxattr(path.c_str(), kDosAttribName, buffer, sizeof buffer);
    return DosAttributesFrom(buffer, length, BaseName(path), facts);
}

std::optional<FileFacts> ReadFileFactsWithAttributesAt(int folderHandle, const std::string& name) {
    auto facts = ReadFileFactsAt(folderHandle, name);
    if (!facts || relativeReadUnavailable.load(std::memory_order_relaxed)) return facts;
    char buffer[256];
    const ssize_t length = GetAttributeAt(folderHandle, name, facts->isDanglingLink, buffer, sizeof buffer);
    if (length < 0 && (errno == ENOSYS || errno == EPERM)) {
        relativeReadUnavailable.store(true, std::memory_order_relaxed);
        return facts;
    }
    facts->dosAttributes = DosAttributesFrom(buffer, length, BaseName(name), *facts);
    return facts;
}

}  // namespace pelmora::platform
