#include "platform/atomic_file_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <utility>
#include <vector>

namespace pelmora::platform {

namespace {

std::string FolderOf(const std::string& path) {
    auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// Removes the temporary file on every early return, keeping the errno of the real failure.
class TempFileGuard {
public:
    explicit TempFileGuard(std::string path) : path_(std::move(path)) {}
    ~TempFileGuard() {
        if (fd_ >= 0) ::close(fd_);
        if (!committed_) {
            int saved = errno;
            ::unlink(path_.c_str());
            errno = saved;
        }
    }
    TempFileGuard(const TempFileGuard&) = delete;
    TempFileGuard& operator=(const TempFileGuard&) = delete;

    void SetFd(int fd) { fd_ = fd; }
    int Fd() const { return fd_; }
    bool Close() {
        int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }
    void Commit() { committed_ = true; }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
    int fd_ = -1;
    bool committed_ = false;
};

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
    if (path.empty() || path.back() == '/') {
        errno = EINVAL;
        return false;
    }

    mode_t mode = 0666 & ~[] {
        mode_t mask = ::umask(0);
        ::umask(mask);
        return mask;
    }();
    bool keepMode = false;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) {
            errno = EISDIR;
            return false;
        }
        mode = st.st_mode & 07777;
        keepMode = true;
    }

    std::string pattern = path + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) return false;
    TempFileGuard temp(name.data());
    temp.SetFd(fd);

    // mkostemp creates the file 0600; give it the target's bits (or the usual ones for a new file).
    if (::fchmod(fd, mode) != 0 && keepMode) return false;
    if (!WriteAll(fd, bytes)) return false;
    if (::fsync(fd) != 0) return false;
    if (!temp.Close()) return false;
    if (::rename(temp.Path().c_str(), path.c_str()) != 0) return false;
    temp.Commit();

    // Make the rename itself durable; the new contents are already in place if this fails.
    int dirFd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

}  // namespace pelmora::platform
