#include "platform/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace pelmora::platform {

std::string LockFilePathFor(const std::string& path) { return path + ".lock"; }

FileLock::FileLock(const std::string& path) {
    const int saved = errno;
    int fd = ::open(LockFilePathFor(path).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
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
