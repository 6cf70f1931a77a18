#include "platform/private_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

#include "platform/secret_memory.h"

namespace pelmora::platform {

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

PrivateFileRead ReadPrivateFile(const std::string& path, SecretText& content) {
    content.Clear();
    const Descriptor fd(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    if (fd.get() < 0) return errno == ENOENT ? PrivateFileRead::Missing : PrivateFileRead::Unreadable;
    // The open file's own facts, so that no swap between a check and the read slips through.
    struct stat st {};
    if (fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return PrivateFileRead::Unreadable;
    if (st.st_uid != geteuid()) return PrivateFileRead::NotOwned;
    if ((st.st_mode & (S_IRGRP | S_IROTH | S_IWGRP | S_IWOTH)) != 0) return PrivateFileRead::OthersCanReadOrWrite;
    // One byte more than allowed tells a file that is too large.
    const SecretBlock block(kMaxPrivateFileSize + 1);
    if (block.get() == nullptr) return PrivateFileRead::Unreadable;
    std::size_t got = 0;
    while (got <= kMaxPrivateFileSize) {
        const ssize_t n = read(fd.get(), block.get() + got, kMaxPrivateFileSize + 1 - got);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            return PrivateFileRead::Unreadable;
        }
        got += static_cast<std::size_t>(n);
    }
    if (got > kMaxPrivateFileSize) return PrivateFileRead::TooLarge;
    content = SecretText(std::string_view(block.get(), got));
    return PrivateFileRead::Read;
}

FileRightsKind FileRightsOfThisSystem() { return FileRightsKind::PermissionBits; }

}  // namespace pelmora::platform
