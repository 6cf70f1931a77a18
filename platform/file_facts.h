#pragma once
// What a listing line says about one file: size, times and DOS-style attribute bits, read
// with one status call per entry. A symbolic link reports what it points to; a dangling
// link reports itself.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pelmora::platform {

// Seconds since 1970-01-01 00:00:00 UTC; absent when the file system keeps no such time.
struct FileTime {
    bool present = false;
    std::int64_t seconds = 0;
};

struct FileFacts {
    std::uint64_t size = 0;  // exact byte count; 0 for a folder
    bool isFolder = false;
    bool isDanglingLink = false;  // the facts are the link's own
    bool ownerCanWrite = true;
    FileTime creation;  // the birth time, where the file system reports one
    FileTime lastWrite;
    FileTime lastAccess;
    // The attribute bits (see ReadDosAttributes), when they were read with the facts.
    std::optional<std::uint32_t> dosAttributes;
};

// DOS attribute bits as the listing words use them.
enum DosAttribute : std::uint32_t {
    kDosReadOnly = 0x01,
    kDosHidden = 0x02,
    kDosSystem = 0x04,
    kDosArchive = 0x20,
};

// Nothing when the path does not exist (or cannot be examined).
std::optional<FileFacts> ReadFileFacts(const std::string& path);
// The same for an entry of an open folder (its descriptor, see FolderReader::Handle), which
// spares the system the walk down the full path for every file of a big listing.
std::optional<FileFacts> ReadFileFactsAt(int folderHandle, const std::string& name);
// The same, with the attribute bits read relative to the folder as well where the system
// can (dosAttributes stays empty where it cannot: ReadDosAttributes by path then).
std::optional<FileFacts> ReadFileFactsWithAttributesAt(int folderHandle, const std::string& name);

// The attribute bits as a Samba server would show them to a Windows client: the stored
// "user.DOSATTRIB" attribute when the file carries a readable one; otherwise ReadOnly
// when the owner may not write, Hidden when the name begins with ".", System and Archive
// clear. `facts` are the ones ReadFileFacts gave for the same path.
std::uint32_t ReadDosAttributes(const std::string& path, const FileFacts& facts);

// The attribute bits stored in a "user.DOSATTRIB" value: the hex text ("0x20") of older
// Samba releases or the binary record of newer ones. Nothing when the value is not
// understood.
std::optional<std::uint32_t> ParseDosAttribValue(std::string_view value);

}  // namespace pelmora::platform
