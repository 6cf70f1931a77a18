#pragma once
// An advisory lock that serialises read-modify-write cycles on a file between threads and
// between copies of the program. A file is mostly replaced by rename, which gives it a new
// identity, and only sometimes overwritten in place (see atomic_file_write.h), so the lock
// is taken on the folder that holds the file: it stays the same either way and leaves no
// lock file behind. One lock covers every file of that folder, so a holder must not take a
// second FileLock in the same folder.

#include <string>

namespace pelmora::platform {

class FileLock {
public:
    // Blocks until the lock for `path` is held. When it cannot be taken (a missing folder,
    // a file system without locks) the object holds nothing: the caller's write then
    // proceeds unguarded or fails on its own, and a lost lock never stops a read.
    explicit FileLock(const std::string& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool Locked() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

}  // namespace pelmora::platform
