#include "platform/desktop_launch.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <string_view>

#include "platform/process_runner.h"

namespace pelmora::platform {

namespace {

// Types the desktop opener starts instead of showing, whatever their content.
constexpr std::array<std::string_view, 4> kStartedTypes{"DESKTOP", "SH", "RUN", "APPIMAGE"};

bool HasStartedType(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c); });
    return std::find(kStartedTypes.begin(), kStartedTypes.end(), extension) != kStartedTypes.end();
}

// An ELF program or a script naming its interpreter.
bool BeginsAsProgram(std::string_view head) {
    return head.substr(0, 4) == std::string_view("\x7f" "ELF", 4) || head.substr(0, 2) == "#!";
}

}  // namespace

// The execute bit is not asked: exFAT, NTFS and SMB mounts show it on every file.
bool OpeningRunsProgram(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return false;
    if (HasStartedType(path)) return true;
    // Non-blocking, so that a named pipe never holds the command up.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        // A program may be executable without being readable; what cannot be read is
        // taken for one when it carries an execute bit.
        return S_ISREG(st.st_mode) && (st.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) != 0;
    }
    char head[4];
    ssize_t got = -1;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        do {
            got = ::read(fd, head, sizeof head);
        } while (got < 0 && errno == EINTR);
    }
    ::close(fd);
    return got > 0 && BeginsAsProgram(std::string_view(head, static_cast<std::size_t>(got)));
}

bool OpenWithDefaultProgram(const std::string& path) {
    std::string error;
    return StartIndependentProgram({"xdg-open", path}, error);
}

}  // namespace pelmora::platform
