#include "platform/file_system.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string_view>

#include "platform/file_system_service.h"

namespace pelmora::platform {

const char kPathSeparator = '/';

namespace {
std::optional<bool> NetworkFolderCheck(const std::string& path);
}

std::string ProgramExecutable() {
    std::string buffer(4096, '\0');
    for (;;) {
        const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0) return {};
        if (static_cast<size_t>(n) < buffer.size()) return buffer.substr(0, static_cast<size_t>(n));
        buffer.resize(buffer.size() * 2);
    }
}

std::string ProgramFolder() {
    const std::string exe = ProgramExecutable();
    const auto slash = exe.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return exe.substr(0, slash);
}

namespace {
// A network path is asked of the server (the local system would read "//a/b" as "/a/b").
std::optional<bool> NetworkFolderCheck(const std::string& path) {
    if (!IsNetworkPath(path)) return std::nullopt;
    const auto facts = FileSystemFor(path).Facts(path);
    if (!facts) return std::nullopt;
    return facts->isFolder;
}
}  // namespace

bool FileExists(const std::string& path) {
    if (IsNetworkPath(path)) {
        const auto folder = NetworkFolderCheck(path);
        return folder && !*folder;
    }
    struct stat st {};
    return !path.empty() && stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool FolderExists(const std::string& path) {
    if (IsNetworkPath(path)) {
        const auto folder = NetworkFolderCheck(path);
        return folder && *folder;
    }
    struct stat st {};
    return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool PathExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && lstat(path.c_str(), &st) == 0;
}

bool FolderIsWritable(const std::string& path) { return !path.empty() && access(path.c_str(), W_OK) == 0; }

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == kPathSeparator) return folder + name;
    return folder + kPathSeparator + name;
}

void AppendToPath(std::string& path, std::string_view name) {
    if (path.empty() || path.back() != kPathSeparator) path.push_back(kPathSeparator);
    path.append(name);
}

std::string RootFolder() { return std::string(1, kPathSeparator); }

bool IsRootFolder(std::string_view path) {
    return !path.empty() && path.find_first_not_of(kPathSeparator) == std::string_view::npos;
}

bool IsAbsolutePath(std::string_view path) { return !path.empty() && path.front() == kPathSeparator; }

std::size_t RootPartLength(std::string_view path) { return IsAbsolutePath(path) ? 1 : 0; }

bool EndsWithSeparator(std::string_view path) { return !path.empty() && path.back() == kPathSeparator; }

std::string_view WithoutTrailingSeparators(std::string_view path) {
    while (path.size() > 1 && path.back() == kPathSeparator) path.remove_suffix(1);
    return path;
}

std::size_t LastSeparator(std::string_view path) { return path.rfind(kPathSeparator); }

bool IsInFolder(std::string_view path, std::string_view folder) {
    if (folder.size() == 1 && folder.front() == kPathSeparator) return IsAbsolutePath(path);
    return path.substr(0, folder.size()) == folder &&
           (path.size() == folder.size() || path[folder.size()] == kPathSeparator);
}

bool IsNetworkPath(const std::string& path) { return path.size() >= 2 && path[0] == '/' && path[1] == '/'; }

// No short names here.
std::string LongPathName(const std::string& path) { return path; }

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return "/";
}

std::string UserCacheFolder() {
    if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache && cache[0] == '/') return cache;
    return JoinPath(HomeFolder(), ".cache");
}

bool RunningAsSuperuser() { return ::geteuid() == 0; }

}  // namespace pelmora::platform
