#include "tools/choiview/viewer_file_bytes.h"

#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

#include "platform/file_system.h"
#include "platform/file_system_service.h"
#include "platform/temporary_folder.h"

namespace pelmora {

namespace {

constexpr std::size_t kChunk = 256 * 1024;

// Reads the file chunk by chunk, handing each to `take`. False on any failure, or when the
// file grows past `limit`.
template <typename Take>
bool ReadThroughService(const std::string& path, std::uint64_t limit, Take&& take) {
    std::error_code error;
    const std::unique_ptr<platform::ReadableFile> file = platform::FileSystemFor(path).OpenFileForReading(path, error);
    if (!file || file->Size() > limit) return false;
    std::string chunk(kChunk, '\0');
    std::uint64_t total = 0;
    for (;;) {
        std::size_t got = 0;
        if (!file->Read(chunk.data(), chunk.size(), got)) return false;
        if (got == 0) return true;
        total += got;
        if (total > limit || !take(chunk.data(), got)) return false;
    }
}

std::string FileNameOf(const std::string& path) {
    const std::size_t separator = platform::LastSeparator(path);
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::optional<std::string> ReadWhole(const std::string& path, std::uint64_t limit) {
    std::string content;
    const bool read = ReadThroughService(path, limit, [&](const char* bytes, std::size_t length) {
        content.append(bytes, length);
        return true;
    });
    if (!read) return std::nullopt;
    return content;
}

bool Opens(const std::string& path) {
    std::error_code error;
    return platform::FileSystemFor(path).OpenFileForReading(path, error) != nullptr;
}

// What `read` gives for a share's file, read through `wait`; a local file is read at once,
// as its disk does not stall. An empty Result (the failure's) when the wait was given up.
template <typename Result, typename Read>
Result ThroughWait(const std::string& path, const FileReadWait& wait, Read read) {
    if (!platform::IsNetworkPath(path)) return read();
    // Shared with the work, which keeps it alive if nobody waits for it any more.
    auto result = std::make_shared<Result>();
    if (!wait([result, read] { *result = read(); })) return Result();
    return std::move(*result);
}

}  // namespace

bool ReadOnThisThread(const std::function<void()>& work) {
    work();
    return true;
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::uint64_t limit, const FileReadWait& wait) {
    return ThroughWait<std::optional<std::string>>(path, wait, [path, limit] { return ReadWhole(path, limit); });
}

bool CanOpenFile(const std::string& path, const FileReadWait& wait) {
    return ThroughWait<bool>(path, wait, [path] { return Opens(path); });
}

std::unique_ptr<PrivateFileCopy> PrivateFileCopy::Make(const std::string& path) {
    std::string name = FileNameOf(path);
    if (name.empty() || name == "." || name == "..") name = "file";
    const std::string folder = platform::CreatePrivateTemporaryFolder("pelmora-view-");
    if (folder.empty()) return nullptr;
    // Owned from here on, so that every failure below removes the folder again.
    std::unique_ptr<PrivateFileCopy> copy(new PrivateFileCopy(folder, platform::JoinPath(folder, name)));
    std::ofstream out(copy->path_, std::ios::binary | std::ios::trunc);
    if (!out) return nullptr;
    std::error_code error;
    // Nobody else can enter the folder; the copy is the user's alone all the same.
    std::filesystem::permissions(copy->path_, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::replace, error);
    if (error) return nullptr;
    const bool copied = ReadThroughService(path, UINT64_MAX, [&](const char* bytes, std::size_t length) {
        out.write(bytes, static_cast<std::streamsize>(length));
        return static_cast<bool>(out);
    });
    out.close();
    if (!copied || !out) return nullptr;
    return copy;
}

PrivateFileCopy::~PrivateFileCopy() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

std::string LocalPathOf(const std::string& path, std::unique_ptr<PrivateFileCopy>& copy, const FileReadWait& wait) {
    copy.reset();
    if (&platform::FileSystemFor(path) == &platform::LocalFileSystem()) return path;
    // If the wait is given up, the copy is the work's, and goes when it ends.
    using Made = std::unique_ptr<PrivateFileCopy>;
    copy = ThroughWait<Made>(path, wait, [path] { return PrivateFileCopy::Make(path); });
    return copy ? copy->Path() : std::string();
}

}  // namespace pelmora
