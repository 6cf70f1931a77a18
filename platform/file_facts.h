#pragma once
// What a listing line says about one file: size, times and DOS-style attribute bits, read
// with one status call per entry (see FileSystem in file_system_service.h). A symbolic link
// reports what it points to; a dangling link reports itself.

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
    // A FIFO, device or socket: neither a regular file nor a folder. Opening one to read may
    // wait for a writer or never end.
    bool isSpecial = false;
    bool ownerCanWrite = true;
    FileTime creation;  // the birth time, where the file system reports one
    FileTime lastWrite;
    FileTime lastAccess;
    // The attribute bits (see FileSystem::DosAttributes), when they were read with the facts.
    std::optional<std::uint32_t> dosAttributes;
    // The alternate (8.3) name the folder keeps beside a long name; empty where the long name
    // is a valid short name itself, and always on systems without short names.
    std::string shortName;
};

// DOS attribute bits as the listing words use them. On POSIX they are the bits a Samba server
// would show a Windows client: the stored "user.DOSATTRIB" attribute when the file carries a
// readable one; otherwise ReadOnly when the owner may not write, Hidden when the name begins
// with ".", System and Archive clear.
enum DosAttribute : std::uint32_t {
    kDosReadOnly = 0x01,
    kDosHidden = 0x02,
    kDosSystem = 0x04,
    kDosArchive = 0x20,
};

// The attribute bits stored in a "user.DOSATTRIB" value: the hex text ("0x20") of older
// Samba releases or the binary record of newer ones. Nothing when the value is not
// understood.
std::optional<std::uint32_t> ParseDosAttribValue(std::string_view value);

}  // namespace pelmora::platform
