#include "platform/file_system.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace pelmora::platform {

const char kPathSeparator = '/';

std::string ProgramFolder() {
    std::vector<char> buffer(4096);
    for (;;) {
        ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0) return ".";
        if (static_cast<size_t>(n) < buffer.size()) {
            std::string exe(buffer.data(), static_cast<size_t>(n));
            auto slash = exe.rfind('/');
            if (slash == std::string::npos) return ".";
            if (slash == 0) return "/";
            return exe.substr(0, slash);
        }
        buffer.resize(buffer.size() * 2);
    }
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool FolderExists(const std::string& path) {
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

bool IsNetworkPath(const std::string& path) { return path.size() >= 2 && path[0] == '/' && path[1] == '/'; }

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return "/";
}

}  // namespace pelmora::platform
