#pragma once
// Reading the entries of one folder, as the walks and the browser lists need them: each
// name with the kind the directory itself records, so that telling files from folders
// usually costs no extra look-up. The open folder can serve as the base of look-ups
// relative to it, which keeps working where full paths grow too long for the system.

#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>

namespace pelmora::platform {

enum class EntryKind {
    File,
    Folder,
    Unresolved,  // a link or an entry whose kind the directory does not record
};

struct FolderEntry {
    std::string_view name;  // valid until the next call of Next
    EntryKind kind = EntryKind::Unresolved;
};

// Device and file number: what tells two folders apart even when reached by different paths.
struct FolderIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    friend bool operator==(const FolderIdentity&, const FolderIdentity&) = default;
};

class FolderReader {
public:
    FolderReader() = default;
    ~FolderReader();
    FolderReader(FolderReader&& other) noexcept;
    FolderReader& operator=(FolderReader&& other) noexcept;
    FolderReader(const FolderReader&) = delete;
    FolderReader& operator=(const FolderReader&) = delete;

    // Opens a folder by path (links followed). False with error set when it cannot be read.
    bool Open(const std::string& path, std::error_code& error);
    // Opens the folder `name` inside the open folder `parent` (links followed).
    bool OpenInside(const FolderReader& parent, const std::string& name, std::error_code& error);
    bool IsOpen() const { return stream_ != nullptr; }
    void Close();

    // The next entry other than "." and "..". False at the end, or on a read error (error set).
    bool Next(FolderEntry& entry, std::error_code& error);

    // The kind of an entry of this folder after following links. A link that leads nowhere
    // or anything that is no folder counts as a file, as a directory search would show it.
    EntryKind ResolveKind(const std::string& name) const;

    // False with error set when the folder's own facts cannot be read.
    bool Identity(FolderIdentity& identity, std::error_code& error) const;

    // The descriptor of the open folder for look-ups relative to it; -1 when closed.
    int Handle() const;

private:
    void* stream_ = nullptr;  // the system's directory stream
};

}  // namespace pelmora::platform
