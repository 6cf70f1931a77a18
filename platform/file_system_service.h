#pragma once
// The file system as the listings, the tools and the windows read it: folders entry by entry,
// the facts of files, file contents and the volume a path lies on. Which implementation
// serves a path is decided at run time (FileSystemFor), so a network share can be served by
// another one than the local disks. Look-ups inside an open folder are relative to it, which
// spares the walk down the full path and keeps working where full paths grow too long.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/file_facts.h"

namespace pelmora::platform {

enum class EntryKind {
    File,
    Folder,
    Unresolved,  // a link or an entry whose kind the folder does not record
};

struct FolderEntry {
    std::string_view name;  // valid until the next call of Next
    EntryKind kind = EntryKind::Unresolved;
};

// What tells two folders apart even when reached by different paths (device and file number).
struct FolderIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    friend bool operator==(const FolderIdentity&, const FolderIdentity&) = default;
};

// One folder opened for reading. Closed when destroyed.
class OpenFolder {
public:
    virtual ~OpenFolder() = default;

    // The next entry other than "." and "..". False at the end, or on a read error (error set).
    virtual bool Next(FolderEntry& entry, std::error_code& error) = 0;

    // Opens the folder `name` inside this one (links followed). Null with error set when it
    // cannot be read.
    virtual std::unique_ptr<OpenFolder> OpenInside(const std::string& name, std::error_code& error) const = 0;

    // The kind of an entry after following links. A link that leads nowhere or anything that
    // is no folder counts as a file, as a directory search would show it.
    virtual EntryKind ResolveKind(const std::string& name) const = 0;

    // True when the entry is a symbolic link (not followed).
    virtual bool IsLink(const std::string& name) const = 0;

    // False with error set when the folder's own facts cannot be read.
    virtual bool Identity(FolderIdentity& identity, std::error_code& error) const = 0;

    // The facts of an entry (see FileFacts); nothing when it has vanished. With
    // withDosAttributes the attribute bits are read too where the system can do so
    // relative to the folder (dosAttributes stays empty where it cannot: DosAttributes by
    // path then).
    virtual std::optional<FileFacts> EntryFacts(const std::string& name, bool withDosAttributes) const = 0;
};

// A regular file opened for reading its bytes. Closed when destroyed.
class ReadableFile {
public:
    virtual ~ReadableFile() = default;
    // The size when the file was opened; the file may change while it is read.
    virtual std::uint64_t Size() const = 0;
    // Up to `length` bytes at the current position; 0 at the end. False on a read error.
    virtual bool Read(void* buffer, std::size_t length, std::size_t& got) = 0;
    // Moves the position to `offset` bytes from the start. False when the system refuses.
    virtual bool SeekTo(std::uint64_t offset) = 0;
};

// Which volume a path lies on, as the tree printer names it in its two header lines.
struct VolumeIdentity {
    std::string label;          // POSIX: the mount point of the file system holding the path
    std::uint32_t serial = 0;   // POSIX: the low 32 bits of the file system id
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Opens a folder by path (links followed). Null with error set when it cannot be read.
    virtual std::unique_ptr<OpenFolder> OpenFolderAt(const std::string& path, std::error_code& error) = 0;

    // The facts of a path; nothing when it does not exist (or cannot be examined).
    virtual std::optional<FileFacts> Facts(const std::string& path) = 0;

    // The DOS attribute bits of a path (see DosAttribute); `facts` are the ones Facts gave
    // for the same path.
    virtual std::uint32_t DosAttributes(const std::string& path, const FileFacts& facts) = 0;

    // Opens a regular file for reading. Null with error set when it cannot be opened or is
    // no regular file (a FIFO or device is refused before it could block or never end).
    virtual std::unique_ptr<ReadableFile> OpenFileForReading(const std::string& path, std::error_code& error) = 0;

    // Empty label and serial 0 when the path cannot be examined.
    virtual VolumeIdentity IdentifyVolume(const std::string& path) = 0;

    // How many threads a walk should read this file system's folders with (see
    // WalkThreadCount); 0: no preference.
    virtual std::size_t PreferredWalkThreads() const { return 0; }
};

// The file system of this machine's own folders and mounts.
FileSystem& LocalFileSystem();

// The implementation that serves the path.
FileSystem& FileSystemFor(std::string_view path);

}  // namespace pelmora::platform
