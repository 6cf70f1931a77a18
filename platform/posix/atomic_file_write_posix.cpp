#include "platform/atomic_file_write.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pelmora::platform {

namespace {

// Symbolic links a path may pass through before the system gives up on it (ELOOP).
constexpr int kMaxLinkHops = 40;

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

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool ReadLink(const std::string& path, std::string& target) {
    std::string buffer(256, '\0');
    for (;;) {
        const ssize_t n = ::readlink(path.c_str(), buffer.data(), buffer.size());
        if (n < 0) return false;
        if (static_cast<size_t>(n) < buffer.size()) {
            target = buffer.substr(0, static_cast<size_t>(n));
            return true;
        }
        buffer.resize(buffer.size() * 2);
    }
}

bool InGroup(gid_t group) {
    if (group == ::getegid()) return true;
    const int count = ::getgroups(0, nullptr);
    if (count <= 0) return false;
    std::vector<gid_t> groups(static_cast<size_t>(count));
    const int got = ::getgroups(count, groups.data());
    return got > 0 && std::find(groups.begin(), groups.begin() + got, group) != groups.begin() + got;
}

WriteTargetFacts FactsOf(const std::string& target, const struct stat* st) {
    WriteTargetFacts facts;
    if (st == nullptr) return facts;
    facts.exists = true;
    facts.regularFile = S_ISREG(st->st_mode);
    // A file nobody may write is read-only for the super-user too, who the system would let
    // write it: the user made it read-only to keep it.
    const bool hasWriteBits = (st->st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
    facts.userMayWrite = hasWriteBits && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) == 0;
    facts.linkCount = static_cast<unsigned>(st->st_nlink);
    const uid_t user = ::geteuid();
    facts.ownerKept = user == 0 || (st->st_uid == user && InGroup(st->st_gid));
    const std::string folder = FolderOf(target);
    struct stat folderStat {};
    facts.folderTakesNewFile = ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0 &&
                               ::stat(folder.c_str(), &folderStat) == 0;
    // In a sticky folder (/tmp) only the owners of the file or folder may rename over it.
    if (facts.folderTakesNewFile && (folderStat.st_mode & S_ISVTX) != 0 && user != 0 && st->st_uid != user &&
        folderStat.st_uid != user) {
        facts.folderTakesNewFile = false;
    }
    return facts;
}

// Extended attributes (access lists, Samba's DOS attributes) go over to the new file as far
// as the system lets this user set them; the rest it would not have let us keep anyway.
void CopyExtendedAttributes(const std::string& from, int to) {
    const ssize_t size = ::listxattr(from.c_str(), nullptr, 0);
    if (size <= 0) return;
    std::string names(static_cast<size_t>(size), '\0');
    const ssize_t got = ::listxattr(from.c_str(), names.data(), names.size());
    if (got <= 0) return;
    names.resize(static_cast<size_t>(got));
    for (std::size_t at = 0; at < names.size();) {
        const std::string name = names.c_str() + at;
        at += name.size() + 1;
        const ssize_t valueSize = ::getxattr(from.c_str(), name.c_str(), nullptr, 0);
        if (valueSize < 0) continue;
        std::string value(static_cast<size_t>(valueSize), '\0');
        const ssize_t valueGot = ::getxattr(from.c_str(), name.c_str(), value.data(), value.size());
        if (valueGot < 0) continue;
        (void)::fsetxattr(to, name.c_str(), value.data(), static_cast<size_t>(valueGot), 0);
    }
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

bool OverwriteInPlace(const std::string& target, bool regularFile, std::string_view bytes) {
    // A pipe or device is written as it is, never truncated, and must not block the open.
    const int flags = O_WRONLY | O_CLOEXEC | O_NOCTTY | (regularFile ? 0 : O_NONBLOCK);
    const int fd = ::open(target.c_str(), flags);
    if (fd < 0) return false;
    bool ok = regularFile || ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0;
    if (ok && regularFile && !bytes.empty()) {
        // The room for the new bytes is taken before the old ones are touched, so a full
        // disk leaves the file as it was. Where the file system cannot reserve, the write
        // goes ahead; failing midway (an I/O error) it leaves old and new bytes mixed, and
        // says so by its result.
        if (::fallocate(fd, 0, 0, static_cast<off_t>(bytes.size())) != 0 && errno != EOPNOTSUPP &&
            errno != ENOSYS && errno != EINVAL) {
            ok = false;
        }
    }
    ok = ok && WriteAll(fd, bytes) &&
         (!regularFile || (::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0));
    const int saved = errno;
    if (::close(fd) != 0 && ok) return false;
    errno = saved;
    return ok;
}

// The temporary file of a write to target is "." + the first 100 bytes of its name + ".tmp",
// then the writer's process id, a counter and a clock reading, joined by "_".
std::string TemporaryStem(const std::string& name) { return "." + name.substr(0, 100) + ".tmp"; }

// The process id of a temporary file's name made for stem; nothing when the name is not
// exactly of that form.
std::optional<pid_t> WriterOfTemporaryName(std::string_view name, std::string_view stem) {
    if (!name.starts_with(stem)) return std::nullopt;
    name.remove_prefix(stem.size());
    std::uint64_t numbers[3] = {};
    for (int part = 0; part < 3; ++part) {
        std::size_t digits = 0;
        while (digits < name.size() && digits < 19 && name[digits] >= '0' && name[digits] <= '9') {
            numbers[part] = numbers[part] * 10 + static_cast<std::uint64_t>(name[digits] - '0');
            ++digits;
        }
        if (digits == 0) return std::nullopt;
        name.remove_prefix(digits);
        if (part < 2) {
            if (name.empty() || name.front() != '_') return std::nullopt;
            name.remove_prefix(1);
        }
    }
    if (!name.empty() || numbers[0] == 0 || numbers[0] > 0x7FFFFFFF) return std::nullopt;
    return static_cast<pid_t>(numbers[0]);
}

bool ReplaceByRename(const std::string& target, const struct stat* old, std::string_view bytes) {
    // A new file gets 0666 less the umask from open itself, like any file the user makes.
    int fd = -1;
    std::string tempPath;
    // A hidden name beside the target, short enough for any file name the target may have.
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    const std::string stem = TemporaryStem(target.substr(folder.size()));
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
    // Held until the file is closed: the clean-up of leftovers passes over a locked file.
    (void)::flock(fd, LOCK_EX | LOCK_NB);

    if (old != nullptr) {
        // The owner first: changing it may clear set-user-ID bits the mode then restores.
        // A file system without owners (FAT, or one mounted for a single user) may refuse
        // that even to the super-user: then the file is written where it is.
        if ((old->st_uid != ::geteuid() || old->st_gid != ::getegid()) &&
            ::fchown(fd, old->st_uid, old->st_gid) != 0) {
            return OverwriteInPlace(target, true, bytes);
        }
        if (::fchmod(fd, old->st_mode & 07777) != 0) return false;
        CopyExtendedAttributes(target, fd);
    }
    if (!WriteAll(fd, bytes)) return false;
    if (::fsync(fd) != 0) return false;
    if (!temp.Close()) return false;
    if (::rename(temp.Path().c_str(), target.c_str()) != 0) return false;
    temp.Commit();
    // The folder is not synced: after a crash either the old or the new file is there, both
    // whole, which is all a settings or result file needs.
    return true;
}

}  // namespace

void RemoveLeftoverTemporaryFiles(const std::string& path) {
    const std::string target = WriteTarget(path);
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
    const std::string stem = TemporaryStem(slash == std::string::npos ? target : target.substr(slash + 1));
    const int saved = errno;
    DIR* listing = ::opendir(folder.c_str());
    if (listing == nullptr) {
        errno = saved;
        return;
    }
    const int folderFd = ::dirfd(listing);
    std::vector<std::string> leftovers;
    while (const dirent* entry = ::readdir(listing)) {
        const std::optional<pid_t> writer = WriterOfTemporaryName(entry->d_name, stem);
        if (!writer) continue;
        const int fd = ::openat(folderFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (fd < 0) continue;
        struct stat st {};
        // A writer at work holds the lock. One that has just made its file may not have
        // taken it yet: such a file is young and its process alive.
        const bool unlocked = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
        const bool writerGone = ::kill(*writer, 0) != 0 && errno == ESRCH;
        const bool old = std::time(nullptr) - st.st_mtime > 5;
        if (unlocked && (writerGone || old)) leftovers.emplace_back(entry->d_name);
        ::close(fd);
    }
    for (const std::string& name : leftovers) (void)::unlinkat(folderFd, name.c_str(), 0);
    ::closedir(listing);
    errno = saved;
}

std::string WriteTarget(const std::string& path) {
    std::string current = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat st {};
        std::string link;
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode) || !ReadLink(current, link) || link.empty()) {
            return current;
        }
        if (link.front() == '/') {
            current = link;
        } else {
            const std::size_t slash = current.rfind('/');
            current = (slash == std::string::npos ? std::string() : current.substr(0, slash + 1)) + link;
        }
    }
    return current;  // a loop of links: the write then fails on it as the system says
}

WriteMethod ChooseWriteMethod(const WriteTargetFacts& facts) {
    if (!facts.exists) return WriteMethod::ReplaceByRename;
    if (!facts.userMayWrite) return WriteMethod::Refuse;
    if (!facts.regularFile || facts.linkCount > 1 || !facts.folderTakesNewFile || !facts.ownerKept) {
        return WriteMethod::OverwriteInPlace;
    }
    return WriteMethod::ReplaceByRename;
}

bool ReplaceFileContents(const std::string& path, std::string_view bytes) {
    if (path.empty() || path.back() == '/') {
        errno = EINVAL;
        return false;
    }
    const std::string target = WriteTarget(path);
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) {
        errno = EISDIR;
        return false;
    }
    const WriteTargetFacts facts = FactsOf(target, exists ? &st : nullptr);
    // What an earlier write killed midway left behind; on a full disk this may be the room
    // the write needs.
    RemoveLeftoverTemporaryFiles(target);
    switch (ChooseWriteMethod(facts)) {
        case WriteMethod::Refuse:
            errno = EACCES;
            return false;
        case WriteMethod::OverwriteInPlace:
            return OverwriteInPlace(target, facts.regularFile, bytes);
        case WriteMethod::ReplaceByRename:
            break;
    }
    return ReplaceByRename(target, exists ? &st : nullptr, bytes);
}

}  // namespace pelmora::platform
