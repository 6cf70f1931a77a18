#include "platform/atomic_file_write.h"

#include <windows.h>

#include <cerrno>

#include "platform/file_system.h"
#include "platform/win32/wide_path_win32.h"

namespace pelmora::platform {

using win32::Utf8FromWide;
using win32::WidePath;

namespace {

void SetErrnoFrom(DWORD error) {
    switch (error) {
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT:
            errno = EACCES;
            break;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            errno = ENOENT;
            break;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            errno = ENOSPC;
            break;
        default:
            errno = EIO;
    }
}

// The temporary files of writes to a file are named for it: "name.pelmora-PID-N.tmp".
std::string TemporaryStem(const std::string& target) {
    const auto separator = LastSeparator(target);
    return (separator == std::string::npos ? target : target.substr(separator + 1)) + ".pelmora-";
}

std::string FolderOf(const std::string& target) {
    const auto separator = LastSeparator(target);
    return separator == std::string::npos ? "." : target.substr(0, separator + 1);
}

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return FlushFileBuffers(file) != 0;
}

// A new file beside the target, written and flushed, then put in the target's place:
// ReplaceFileW keeps the old file's attributes, rights and creation time; a new target is
// moved into place with write-through.
bool ReplaceByRename(const std::string& target, bool exists, std::string_view bytes) {
    const DWORD keptAttributes = exists ? GetFileAttributesW(WidePath(target).c_str()) : INVALID_FILE_ATTRIBUTES;
    static LONG counter = 0;
    const std::string temporary = JoinPath(FolderOf(target), TemporaryStem(target) +
                                                                 std::to_string(GetCurrentProcessId()) + "-" +
                                                                 std::to_string(InterlockedIncrement(&counter)) + ".tmp");
    const std::wstring wideTemporary = WidePath(temporary);
    const HANDLE file = CreateFileW(wideTemporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        SetErrnoFrom(GetLastError());
        return false;
    }
    const bool written = WriteAll(file, bytes);
    const DWORD writeError = GetLastError();
    CloseHandle(file);
    const std::wstring wideTarget = WidePath(target);
    const bool placed =
        written && (exists ? ReplaceFileW(wideTarget.c_str(), wideTemporary.c_str(), nullptr,
                                          REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                           : MoveFileExW(wideTemporary.c_str(), wideTarget.c_str(), MOVEFILE_WRITE_THROUGH));
    if (!placed) {
        SetErrnoFrom(written ? GetLastError() : writeError);
        const int saved = errno;
        DeleteFileW(wideTemporary.c_str());
        errno = saved;
        return false;
    }
    // The old file's attribute bits (hidden, system, ...) stay: not every ReplaceFileW
    // carries them over (Wine's does not).
    if (keptAttributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesW(wideTarget.c_str(), keptAttributes);
    return true;
}

bool OverwriteInPlace(const std::string& target, std::string_view bytes) {
    const HANDLE file = CreateFileW(WidePath(target).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        SetErrnoFrom(GetLastError());
        return false;
    }
    const bool written = WriteAll(file, bytes);
    if (!written) SetErrnoFrom(GetLastError());
    CloseHandle(file);
    return written;
}

bool FolderTakesNewFile(const std::string& target) {
    const std::wstring probe = WidePath(JoinPath(FolderOf(target), TemporaryStem(target) + "check.tmp"));
    const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

}  // namespace

std::string WriteTarget(const std::string& path) {
    // A symbolic link (or junction) leads to the file it names; a missing file is itself.
    const DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return path;
    const HANDLE handle = CreateFileW(WidePath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return path;
    std::wstring final(32768, L'\0');
    const DWORD n = GetFinalPathNameByHandleW(handle, final.data(), static_cast<DWORD>(final.size()), 0);
    CloseHandle(handle);
    if (n == 0 || n >= final.size()) return path;
    std::wstring_view resolved(final.data(), n);
    if (resolved.starts_with(L"\\\\?\\UNC\\")) return "\\\\" + Utf8FromWide(resolved.substr(8));
    if (resolved.starts_with(L"\\\\?\\")) resolved.remove_prefix(4);
    return Utf8FromWide(resolved);
}

WriteMethod ChooseWriteMethod(const WriteTargetFacts& facts) {
    if (!facts.exists) return WriteMethod::ReplaceByRename;
    if (!facts.userMayWrite) return WriteMethod::Refuse;
    if (!facts.regularFile || facts.linkCount > 1 || !facts.folderTakesNewFile || !facts.ownerKept) {
        return WriteMethod::OverwriteInPlace;
    }
    return WriteMethod::ReplaceByRename;
}

bool ReplaceFileContents(const std::string& path, std::string_view bytes) {
    if (path.empty() || EndsWithSeparator(path)) {
        errno = EINVAL;
        return false;
    }
    const std::string target = WriteTarget(path);
    WriteTargetFacts facts;
    const HANDLE handle = CreateFileW(WidePath(target).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        BY_HANDLE_FILE_INFORMATION information{};
        const bool known = GetFileInformationByHandle(handle, &information);
        const DWORD type = GetFileType(handle);
        CloseHandle(handle);
        if (known && (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            errno = EISDIR;
            return false;
        }
        facts.exists = true;
        facts.regularFile = type == FILE_TYPE_DISK;
        // The read-only attribute is the file's "no write permission": never written, as on POSIX.
        facts.userMayWrite = known && !(information.dwFileAttributes & FILE_ATTRIBUTE_READONLY);
        facts.linkCount = known ? information.nNumberOfLinks : 1;
        facts.folderTakesNewFile = FolderTakesNewFile(target);
    }
    RemoveLeftoverTemporaryFiles(target);
    switch (ChooseWriteMethod(facts)) {
        case WriteMethod::Refuse:
            errno = EACCES;
            return false;
        case WriteMethod::OverwriteInPlace:
            return OverwriteInPlace(target, bytes);
        case WriteMethod::ReplaceByRename:
            break;
    }
    return ReplaceByRename(target, facts.exists, bytes);
}

void RemoveLeftoverTemporaryFiles(const std::string& path) {
    const std::string target = WriteTarget(path);
    const int saved = errno;
    const std::string pattern = JoinPath(FolderOf(target), TemporaryStem(target) + "*.tmp");
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileExW(WidePath(pattern).c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                           nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) {
        errno = saved;
        return;
    }
    do {
        // A writer still at work holds its file without delete sharing: the delete fails there.
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            DeleteFileW(WidePath(JoinPath(FolderOf(target), Utf8FromWide(found.cFileName))).c_str());
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    errno = saved;
}

}  // namespace pelmora::platform
