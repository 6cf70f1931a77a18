#include "platform/file_system_service.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cwchar>
#include <iterator>
#include <unordered_map>

#include "platform/file_system.h"
#include "platform/win32/wide_path_win32.h"

namespace pelmora::platform {

using win32::Utf8FromWide;
using win32::WidePath;

namespace {

std::error_code LastError() { return {static_cast<int>(GetLastError()), std::system_category()}; }

// FILETIME counts 100 ns steps since 1601-01-01 UTC.
FileTime ToFileTime(const FILETIME& time) {
    const std::uint64_t ticks = (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    if (ticks == 0) return {};
    constexpr std::int64_t kTicksFrom1601To1970 = 116444736000000000LL;
    const auto since1970 = static_cast<std::int64_t>(ticks) - kTicksFrom1601To1970;
    // Whole seconds, rounded down also before 1970, as POSIX time stamps are.
    std::int64_t seconds = since1970 / 10000000;
    if (since1970 % 10000000 < 0) --seconds;
    return FileTime{true, seconds};
}

constexpr DWORD kListedAttributes = kDosReadOnly | kDosHidden | kDosSystem | kDosArchive;

FileFacts FactsFrom(DWORD attributes, DWORD sizeHigh, DWORD sizeLow, const FILETIME& creation,
                    const FILETIME& lastWrite, const FILETIME& lastAccess) {
    FileFacts facts;
    facts.isFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    facts.isSpecial = (attributes & FILE_ATTRIBUTE_DEVICE) != 0;
    facts.size = facts.isFolder ? 0 : (static_cast<std::uint64_t>(sizeHigh) << 32) | sizeLow;
    facts.ownerCanWrite = (attributes & FILE_ATTRIBUTE_READONLY) == 0;
    facts.creation = ToFileTime(creation);
    facts.lastWrite = ToFileTime(lastWrite);
    facts.lastAccess = ToFileTime(lastAccess);
    facts.dosAttributes = attributes & kListedAttributes;
    return facts;
}

// The alternate (8.3) name of a directory entry; empty when the long name is a short name.
std::string ShortNameOf(const WIN32_FIND_DATAW& found) {
    const std::size_t length = wcsnlen(found.cAlternateFileName, std::size(found.cAlternateFileName));
    return Utf8FromWide(std::wstring_view(found.cAlternateFileName, length));
}

FileFacts FactsFromFound(const WIN32_FIND_DATAW& found) {
    FileFacts facts = FactsFrom(found.dwFileAttributes, found.nFileSizeHigh, found.nFileSizeLow,
                                found.ftCreationTime, found.ftLastWriteTime, found.ftLastAccessTime);
    facts.shortName = ShortNameOf(found);
    return facts;
}

// A directory search for the path itself finds no other entry: its name has no wildcard.
bool NamesOneEntry(std::string_view path) {
    const std::size_t separator = path.find_last_of("\\/");
    const std::string_view name = separator == std::string_view::npos ? path : path.substr(separator + 1);
    return !name.empty() && name.find_first_of("*?<>\"") == std::string_view::npos;
}

HANDLE OpenForInformation(const std::wstring& path) {
    // Backup semantics: folders open too. Following links, as the facts of a link are its target's.
    return CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// A symbolic link or junction: the facts of what it leads to (with the link's own short name),
// or its own when that is gone.
std::optional<FileFacts> FollowedFacts(const std::wstring& wide, const FileFacts& own) {
    const HANDLE handle = OpenForInformation(wide);
    if (handle == INVALID_HANDLE_VALUE) {
        FileFacts dangling = own;
        dangling.isDanglingLink = true;
        return dangling;
    }
    BY_HANDLE_FILE_INFORMATION information{};
    const bool known = GetFileInformationByHandle(handle, &information);
    CloseHandle(handle);
    if (!known) return std::nullopt;
    FileFacts target = FactsFrom(information.dwFileAttributes, information.nFileSizeHigh, information.nFileSizeLow,
                                 information.ftCreationTime, information.ftLastWriteTime, information.ftLastAccessTime);
    target.shortName = own.shortName;
    return target;
}

// The facts with the attribute bits, which Windows keeps with every file, and the 8.3 name.
std::optional<FileFacts> FactsOfPath(const std::string& path) {
    if (path.empty()) return std::nullopt;
    const std::wstring wide = WidePath(path);
    // One directory search gives the facts and the 8.3 name together. A root, a path ending
    // in a separator or a folder that may not be listed has no entry to find: the attribute
    // call then, without a short name.
    FileFacts own;
    DWORD attributes = 0;
    WIN32_FIND_DATAW found{};
    const HANDLE search = NamesOneEntry(path) ? FindFirstFileExW(wide.c_str(), FindExInfoStandard, &found,
                                                                 FindExSearchNameMatch, nullptr, 0)
                                              : INVALID_HANDLE_VALUE;
    if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);
        own = FactsFromFound(found);
        attributes = found.dwFileAttributes;
    } else {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
        own = FactsFrom(data.dwFileAttributes, data.nFileSizeHigh, data.nFileSizeLow, data.ftCreationTime,
                        data.ftLastWriteTime, data.ftLastAccessTime);
        attributes = data.dwFileAttributes;
    }
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return own;
    return FollowedFacts(wide, own);
}

// --- Folders ----------------------------------------------------------------------------

class Win32OpenFolder final : public OpenFolder {
public:
    Win32OpenFolder(std::string path, HANDLE search, const WIN32_FIND_DATAW& first)
        : path_(std::move(path)), search_(search), found_(first) {}
    ~Win32OpenFolder() override {
        if (search_ != INVALID_HANDLE_VALUE) FindClose(search_);
    }
    Win32OpenFolder(const Win32OpenFolder&) = delete;
    Win32OpenFolder& operator=(const Win32OpenFolder&) = delete;

    static std::unique_ptr<OpenFolder> Open(const std::string& path, std::error_code& error) {
        const DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            error = LastError();
            return nullptr;
        }
        if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            error = std::make_error_code(std::errc::not_a_directory);
            return nullptr;
        }
        WIN32_FIND_DATAW first{};
        // Every folder has "." at least; an empty search means the folder could not be read.
        // The standard information level: the search gives each entry's 8.3 name too.
        const HANDLE search = FindFirstFileExW(WidePath(JoinPath(path, "*")).c_str(), FindExInfoStandard, &first,
                                               FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
        if (search == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_NOT_FOUND) {
            error = LastError();
            return nullptr;
        }
        error.clear();
        return std::make_unique<Win32OpenFolder>(path, search, first);
    }

    bool Next(FolderEntry& entry, std::error_code& error) override {
        error.clear();
        while (search_ != INVALID_HANDLE_VALUE) {
            if (!pending_ && !FindNextFileW(search_, &found_)) {
                if (GetLastError() != ERROR_NO_MORE_FILES) error = LastError();
                FindClose(search_);
                search_ = INVALID_HANDLE_VALUE;
                return false;
            }
            pending_ = false;
            const std::wstring_view wide(found_.cFileName);
            if (wide == L"." || wide == L"..") continue;
            name_ = Utf8FromWide(wide);
            entry.name = name_;
            if (found_.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
                entry.kind = EntryKind::Unresolved;
            } else {
                entry.kind = (found_.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? EntryKind::Folder : EntryKind::File;
                // The search has told all a file's line shows: kept, so that EntryFacts
                // needs no look-up of its own.
                if (entry.kind == EntryKind::File) read_.insert_or_assign(name_, FoundFile::From(found_));
            }
            return true;
        }
        return false;
    }

    std::unique_ptr<OpenFolder> OpenInside(const std::string& name, std::error_code& error) const override {
        return Open(JoinPath(path_, name), error);
    }

    EntryKind ResolveKind(const std::string& name) const override {
        const auto facts = FactsOfPath(JoinPath(path_, name));
        return facts && facts->isFolder && !facts->isDanglingLink ? EntryKind::Folder : EntryKind::File;
    }

    bool IsLink(const std::string& name) const override {
        const DWORD attributes = GetFileAttributesW(WidePath(JoinPath(path_, name)).c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
    }

    bool Identity(FolderIdentity& identity, std::error_code& error) const override {
        const HANDLE handle = OpenForInformation(WidePath(path_));
        if (handle == INVALID_HANDLE_VALUE) {
            error = LastError();
            return false;
        }
        BY_HANDLE_FILE_INFORMATION information{};
        const bool known = GetFileInformationByHandle(handle, &information);
        if (!known) error = LastError();
        CloseHandle(handle);
        if (!known) return false;
        identity.device = information.dwVolumeSerialNumber;
        identity.inode = (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
        error.clear();
        return true;
    }

    // A file that this folder's reading has met is described as the search found it.
    std::optional<FileFacts> EntryFacts(const std::string& name, bool) const override {
        if (const auto at = read_.find(name); at != read_.end()) return at->second.Facts();
        return FactsOfPath(JoinPath(path_, name));
    }

private:
    // What the search says about a file, without the long name (the key) and its room for
    // MAX_PATH characters: a big folder keeps one per file while it is open.
    struct FoundFile {
        DWORD attributes;
        DWORD sizeHigh, sizeLow;
        FILETIME creation, lastWrite, lastAccess;
        std::array<wchar_t, 14> shortName;

        static FoundFile From(const WIN32_FIND_DATAW& found) {
            FoundFile file{found.dwFileAttributes, found.nFileSizeHigh, found.nFileSizeLow, found.ftCreationTime,
                           found.ftLastWriteTime, found.ftLastAccessTime, {}};
            std::copy(std::begin(found.cAlternateFileName), std::end(found.cAlternateFileName), file.shortName.begin());
            return file;
        }
        FileFacts Facts() const {
            FileFacts facts = FactsFrom(attributes, sizeHigh, sizeLow, creation, lastWrite, lastAccess);
            const std::size_t length = wcsnlen(shortName.data(), shortName.size());
            facts.shortName = Utf8FromWide(std::wstring_view(shortName.data(), length));
            return facts;
        }
    };

    std::string path_;
    HANDLE search_;
    WIN32_FIND_DATAW found_;
    bool pending_ = true;  // found_ holds the first entry, not yet handed out
    std::string name_;
    std::unordered_map<std::string, FoundFile> read_;  // the files handed out so far, by name
};

// --- Files ------------------------------------------------------------------------------

class Win32ReadableFile final : public ReadableFile {
public:
    Win32ReadableFile(HANDLE file, std::uint64_t size) : file_(file), size_(size) {}
    ~Win32ReadableFile() override { CloseHandle(file_); }
    Win32ReadableFile(const Win32ReadableFile&) = delete;
    Win32ReadableFile& operator=(const Win32ReadableFile&) = delete;

    std::uint64_t Size() const override { return size_; }

    bool Read(void* buffer, std::size_t length, std::size_t& got) override {
        DWORD n = 0;
        const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(length, 1u << 30));
        if (!ReadFile(file_, buffer, wanted, &n, nullptr)) {
            got = 0;
            return false;
        }
        got = n;
        return true;
    }

    bool SeekTo(std::uint64_t offset) override {
        LARGE_INTEGER to{};
        to.QuadPart = static_cast<LONGLONG>(offset);
        return SetFilePointerEx(file_, to, nullptr, FILE_BEGIN) != 0;
    }

private:
    HANDLE file_;
    std::uint64_t size_;
};

// --- The service ------------------------------------------------------------------------

class Win32FileSystem final : public FileSystem {
public:
    std::unique_ptr<OpenFolder> OpenFolderAt(const std::string& path, std::error_code& error) override {
        if (path.empty()) {
            error = std::make_error_code(std::errc::no_such_file_or_directory);
            return nullptr;
        }
        return Win32OpenFolder::Open(path, error);
    }

    std::optional<FileFacts> Facts(const std::string& path) override { return FactsOfPath(path); }

    std::uint32_t DosAttributes(const std::string& path, const FileFacts& facts) override {
        if (facts.dosAttributes) return *facts.dosAttributes;
        const DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
        return attributes == INVALID_FILE_ATTRIBUTES ? 0 : (attributes & kListedAttributes);
    }

    std::unique_ptr<ReadableFile> OpenFileForReading(const std::string& path, std::error_code& error) override {
        if (path.empty()) {
            error = std::make_error_code(std::errc::no_such_file_or_directory);
            return nullptr;
        }
        const HANDLE file = CreateFileW(WidePath(path).c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            const DWORD code = GetLastError();
            // A folder cannot be opened without backup semantics: said as such.
            if (code == ERROR_ACCESS_DENIED && FolderExists(path)) {
                error = std::make_error_code(std::errc::is_a_directory);
            } else {
                error = {static_cast<int>(code), std::system_category()};
            }
            return nullptr;
        }
        // A console, pipe or device could wait for input forever: only disk files are read.
        LARGE_INTEGER size{};
        if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size)) {
            CloseHandle(file);
            error = std::make_error_code(std::errc::operation_not_supported);
            return nullptr;
        }
        error.clear();
        return std::make_unique<Win32ReadableFile>(file, static_cast<std::uint64_t>(size.QuadPart));
    }

    VolumeIdentity IdentifyVolume(const std::string& path) override {
        VolumeIdentity identity;
        std::wstring root(MAX_PATH + 1, L'\0');
        if (!GetVolumePathNameW(WidePath(path).c_str(), root.data(), static_cast<DWORD>(root.size()))) return identity;
        wchar_t label[MAX_PATH + 1] = {};
        DWORD serial = 0;
        if (GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, &serial, nullptr, nullptr, nullptr, 0)) {
            identity.label = Utf8FromWide(label);
            identity.serial = serial;
        }
        return identity;
    }
};

}  // namespace

FileSystem& LocalFileSystem() {
    static Win32FileSystem local;
    return local;
}

}  // namespace pelmora::platform
