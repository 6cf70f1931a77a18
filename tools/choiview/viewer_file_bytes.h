#pragma once
// The bytes of a file for a display (or the command that draws the same pictures) that cannot
// read through the file system service itself: a whole file in memory, or a private copy on
// the local disk. Both read through FileSystemFor(path), so a file on a share serves exactly
// as the same file on a local disk.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace pelmora {

// Larger files are not read into memory: a display that needs more takes a private copy.
inline constexpr std::uint64_t kViewerMemoryReadLimit = 256ull * 1024 * 1024;

// How a caller waits for a read of a file on a share, which may wait on the network up to
// its time-out: `work` runs on the calling thread (ReadOnThisThread), or on a worker while a
// window's events run on. True once the work is done; false when the caller gave up waiting,
// and the work then finishes alone. So the work owns whatever it touches, and what it made
// goes when it ends (a private copy is removed).
using FileReadWait = std::function<bool(std::function<void()> work)>;
bool ReadOnThisThread(const std::function<void()>& work);

// The whole content of the file. Nothing when it cannot be opened, a read fails (a share
// that drops), it holds more than `limit` bytes, or the wait for a share's file was given up.
std::optional<std::string> ReadWholeFile(const std::string& path, std::uint64_t limit = kViewerMemoryReadLimit,
                                         const FileReadWait& wait = ReadOnThisThread);

// Whether the file opens for reading (a FIFO or device does not); a share's file is opened
// through `wait`, and counts as not opening when that was given up.
bool CanOpenFile(const std::string& path, const FileReadWait& wait = ReadOnThisThread);

// A copy of a file under its own name in a new private scratch folder (only this user may
// enter it; the copy itself is mode 0600), for a program or library that wants a local path.
// The folder and the copy are removed when the object goes.
class PrivateFileCopy {
public:
    // Null when the file cannot be read to its end or the copy cannot be written.
    static std::unique_ptr<PrivateFileCopy> Make(const std::string& path);
    ~PrivateFileCopy();
    PrivateFileCopy(const PrivateFileCopy&) = delete;
    PrivateFileCopy& operator=(const PrivateFileCopy&) = delete;

    const std::string& Path() const { return path_; }

private:
    PrivateFileCopy(std::string folder, std::string path) : folder_(std::move(folder)), path_(std::move(path)) {}
    std::string folder_;
    std::string path_;
};

// For a local file, its own path; for any other, a private copy, made through `wait`. `copy`
// holds the copy (null for a local file) and must be kept while the path is in use. Empty
// when the copy failed or the wait was given up.
std::string LocalPathOf(const std::string& path, std::unique_ptr<PrivateFileCopy>& copy,
                        const FileReadWait& wait = ReadOnThisThread);

}  // namespace pelmora
