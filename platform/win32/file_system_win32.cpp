#include "platform/file_system.h"

#include <shlobj.h>
#include <windows.h>

#include <string_view>

#include "platform/win32/wide_path_win32.h"

namespace pelmora::platform {

using win32::Utf8FromWide;
using win32::WidePath;

const char kPathSeparator = '\\';

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

DWORD AttributesOf(const std::string& path) {
    if (path.empty()) return INVALID_FILE_ATTRIBUTES;
    return GetFileAttributesW(WidePath(path).c_str());
}

std::string KnownFolder(REFKNOWNFOLDERID id) {
    PWSTR wide = nullptr;
    std::string folder;
    if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &wide))) folder = Utf8FromWide(wide);
    CoTaskMemFree(wide);
    return folder;
}

}  // namespace

// "C:\" 3, "C:" 2, "\\server\share\" up to and with the separator after the share, "\" 1.
std::size_t RootPartLength(std::string_view path) {
    if (path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == ':') {
        return path.size() >= 3 && IsSeparator(path[2]) ? 3 : 2;
    }
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
        std::size_t end = path.find_first_of("\\/", 2);  // after the server
        if (end == std::string_view::npos) return path.size();
        end = path.find_first_of("\\/", end + 1);  // after the share
        return end == std::string_view::npos ? path.size() : end + 1;
    }
    return !path.empty() && IsSeparator(path[0]) ? 1 : 0;
}

std::string ProgramExecutable() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) return Utf8FromWide(std::wstring_view(buffer.data(), n));
        buffer.resize(buffer.size() * 2);
    }
}

std::string ProgramFolder() {
    const std::string exe = ProgramExecutable();
    const auto separator = LastSeparator(exe);
    if (separator == std::string::npos) return ".";
    return std::string(WithoutTrailingSeparators(std::string_view(exe).substr(0, separator + 1)));
}

bool FileExists(const std::string& path) {
    const DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
    const DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool PathExists(const std::string& path) { return AttributesOf(path) != INVALID_FILE_ATTRIBUTES; }

bool FolderIsWritable(const std::string& path) {
    // Windows tells a folder's writability only by trying: a file made and removed at once.
    if (!FolderExists(path)) return false;
    const std::wstring probe = WidePath(JoinPath(path, ".pelmora-write-check.tmp"));
    const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_EXISTS;
    CloseHandle(file);
    return true;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (!folder.empty() && IsSeparator(folder.back())) return folder + name;
    return folder + kPathSeparator + name;
}

void AppendToPath(std::string& path, std::string_view name) {
    if (path.empty() || !IsSeparator(path.back())) path.push_back(kPathSeparator);
    path.append(name);
}

std::string RootFolder() {
    // Windows has one tree per drive: the root is the system drive's.
    wchar_t windows[MAX_PATH];
    const UINT n = GetWindowsDirectoryW(windows, MAX_PATH);
    if (n >= 3 && windows[1] == L':') return Utf8FromWide(std::wstring_view(windows, 2)) + "\\";
    return "C:\\";
}

bool IsRootFolder(std::string_view path) {
    const std::size_t root = RootPartLength(path);
    if (root == 0) return false;
    for (std::size_t i = root; i < path.size(); ++i) {
        if (!IsSeparator(path[i])) return false;
    }
    return true;
}

bool IsAbsolutePath(std::string_view path) {
    // "C:name" is relative to that drive's current folder, "\name" to the current drive.
    return (path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == ':' && IsSeparator(path[2])) ||
           (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]));
}

bool EndsWithSeparator(std::string_view path) { return !path.empty() && IsSeparator(path.back()); }

std::string_view WithoutTrailingSeparators(std::string_view path) {
    const std::size_t root = RootPartLength(path);
    while (path.size() > root && path.size() > 1 && IsSeparator(path.back())) path.remove_suffix(1);
    return path;
}

std::size_t LastSeparator(std::string_view path) { return path.find_last_of("\\/"); }

bool IsInFolder(std::string_view path, std::string_view folder) {
    folder = WithoutTrailingSeparators(folder);
    if (folder.empty() || path.size() < folder.size()) return false;
    // Windows names compare without case (ASCII here; the file system decides the rest).
    for (std::size_t i = 0; i < folder.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        const char a = path[i], b = folder[i];
        if (lower(a) != lower(b) && !(IsSeparator(a) && IsSeparator(b))) return false;
    }
    return path.size() == folder.size() || IsSeparator(folder.back()) || IsSeparator(path[folder.size()]);
}

bool IsNetworkPath(const std::string& path) {
    return path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]) &&
           !(path.size() >= 3 && (path[2] == '?' || path[2] == '.'));
}

std::string LongPathName(const std::string& path) {
    // Generated short names all hold a "~": other paths stay as they were typed.
    if (path.find('~') == std::string::npos) return path;
    const std::wstring wide = WidePath(path);
    const DWORD needed = GetLongPathNameW(wide.c_str(), nullptr, 0);
    if (needed == 0) return path;
    std::wstring buffer(needed, L'\0');
    const DWORD written = GetLongPathNameW(wide.c_str(), buffer.data(), needed);
    if (written == 0 || written >= needed) return path;
    buffer.resize(written);
    std::wstring_view result = buffer;
    // The extended-length prefix WidePath put on a long path is not the user's spelling.
    if (!path.starts_with("\\\\?\\")) {
        if (result.starts_with(L"\\\\?\\UNC\\")) return "\\" + Utf8FromWide(result.substr(7));
        if (result.starts_with(L"\\\\?\\")) result.remove_prefix(4);
    }
    return Utf8FromWide(result);
}

std::string HomeFolder() {
    std::string home = KnownFolder(FOLDERID_Profile);
    return home.empty() ? RootFolder() : home;
}

std::string UserCacheFolder() {
    std::string local = KnownFolder(FOLDERID_LocalAppData);
    return local.empty() ? JoinPath(HomeFolder(), "AppData\\Local") : local;
}

bool RunningAsSuperuser() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    const bool elevated = GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) &&
                          elevation.TokenIsElevated != 0;
    CloseHandle(token);
    return elevated;
}

}  // namespace pelmora::platform
