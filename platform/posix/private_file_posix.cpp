#include "platform/private_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace pelmora::platform {

PrivateFileRead ReadPrivateFile(const std::string& path, std::string& content) {
    content.clear();
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) return errno == ENOENT ? PrivateFileRead::Missing : PrivateFileRead::Unreadable;
    // The open file's own mode, so that no swap between a check and the read slips through.
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return PrivateFileRead::Unreadable;
    }
    if (st.st_uid != geteuid()) {
        close(fd);
        return PrivateFileRead::NotOwned;
    }
    if ((st.st_mode & (S_IRGRP | S_IROTH | S_IWGRP | S_IWOTH)) != 0) {
        close(fd);
        return PrivateFileRead::OthersCanReadOrWrite;
    }
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            close(fd);
            content.clear();
            return PrivateFileRead::Unreadable;
        }
        content.append(buffer, static_cast<std::size_t>(n));
    }
    close(fd);
    return PrivateFileRead::Read;
}

}  // namespace pelmora::platform
