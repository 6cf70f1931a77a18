#pragma once
// An advisory lock that serialises read-modify-write cycles on one file between threads and
// between copies of the program. Files are replaced by rename, so the lock lives on a
// companion file beside the target ("<target>.lock"), which is never replaced or removed.

#include <string>

namespace pelmora::platform {

class FileLock {
public:
    // Blocks until the lock for `path` is held. When the lock file cannot be opened (for
    // example a read-only folder) the object holds nothing; the caller's write will then fail
    // on its own, and a lost lock must not stop a read.
    explicit FileLock(const std::string& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool Locked() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// The companion file that carries the lock of `path`.
std::string LockFilePathFor(const std::string& path);

}  // namespace pelmora::platform
