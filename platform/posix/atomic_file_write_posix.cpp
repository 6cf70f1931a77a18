#include "platform/atomic_file_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <string>
#include <utility>

namespace pelmora::platform {

namespace {

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

    struct stat st {};
    const bool replacing = ::stat(path.c_str(), &st) == 0;
    if (replacing && S_ISDIR(st.st_mode)) {
        errno = EISDIR;
        return false;
    }

    // A new file gets 0666 less the umask from open itself, like any file the user makes.
    int fd = -1;
    std::string tempPath;
    // A hidden name beside the target, short enough for any file name the target may have.
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string stem = "." + path.substr(folder.size(), 100) + ".tmp";
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count() % 1000000;
        tempPath = folder + stem + std::to_string(::getpid()) + "_" + std::to_string(counter++) + "_" +
                   std::to_string(ticks);
        fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;
    TempFileGuard temp(tempPath);
    temp.SetFd(fd);

    if (replacing) {
        if (::fchmod(fd, st.st_mode & 07777) != 0) return false;
        // Only possible for the super-user; keeps a file edited by root owned by its user.
        if (st.st_uid != ::geteuid() || st.st_gid != ::getegid()) (void)!::fchown(fd, st.st_uid, st.st_gid);
    }
    if (!WriteAll(fd, bytes)) return false;
    if (::fsync(fd) != 0) return false;
    if (!temp.Close()) return false;
    if (::rename(temp.Path().c_str(), path.c_str()) != 0) return false;
    temp.Commit();
    // The folder is not synced: after a crash either the old or the new file is there, both
    // whole, which is all a settings or result file needs.
    return true;
}

}  // namespace pelmora::platform
