#include "platform/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace pelmora::platform {

namespace {

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

}  // namespace

FileLock::FileLock(const std::string& path) {
    const int saved = errno;
    const int fd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        errno = saved;
        return;
    }
    // flock belongs to the open file description, so two FileLock objects exclude each
    // other even inside one process.
    int rc;
    do {
        rc = ::flock(fd, LOCK_EX);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        ::close(fd);
        errno = saved;
        return;
    }
    fd_ = fd;
}

FileLock::~FileLock() {
    if (fd_ >= 0) {
        const int saved = errno;
        ::flock(fd_, LOCK_UN);
        ::close(fd_);
        errno = saved;
    }
}

}  // namespace pelmora::platform
