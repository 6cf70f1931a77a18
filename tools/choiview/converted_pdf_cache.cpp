#include "tools/choiview/converted_pdf_cache.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/file_system.h"
#include "platform/file_system_service.h"

namespace pelmora {

namespace fs = std::filesystem;

namespace {

// FNV-1a: stable across runs and builds, unlike std::hash.
std::uint64_t Fnv1a(std::string_view bytes, std::uint64_t hash = 0xcbf29ce484222325ull) {
    for (unsigned char byte : bytes) {
        hash ^= byte;
        hash *= 0x100000001b3ull;
    }
    return hash;
}

bool IsEntryName(const std::string& name) {
    if (name.size() != 20 || name.compare(16, 4, ".pdf") != 0) return false;
    return std::all_of(name.begin(), name.begin() + 16,
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// The converted PDFs show what private documents hold: the folders are the owner's alone
// (0700) and so is each entry (0600), whatever the umask or the mode LibreOffice gave it.
constexpr fs::perms kPrivateFolder = fs::perms::owner_all;
constexpr fs::perms kPrivateEntry = fs::perms::owner_read | fs::perms::owner_write;

// Narrows the mode of a file or folder to `wanted` when it allows more (a cache made by an
// older version); a path that is not there, or not ours to change, is left as it is.
void Tighten(const fs::path& path, fs::perms wanted) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(path, error);
    if (error || fs::is_symlink(status)) return;
    if ((status.permissions() & ~wanted) != fs::perms::none) fs::permissions(path, wanted, error);
}

// Creates the folder and the missing ones above it with the private mode; an existing
// folder is narrowed to it.
bool MakePrivateFolder(const fs::path& folder) {
    std::error_code error;
    if (fs::is_directory(folder, error)) {
        Tighten(folder, kPrivateFolder);
        return true;
    }
    if (folder.has_parent_path() && folder.parent_path() != folder && !MakePrivateFolder(folder.parent_path()))
        return false;
    if (!fs::create_directory(folder, error) && !fs::is_directory(folder, error)) return false;
    fs::permissions(folder, kPrivateFolder, error);
    return !error;
}

}  // namespace

std::optional<DocumentStamp> StampOfDocument(const std::string& path) {
    if (&platform::FileSystemFor(path) != &platform::LocalFileSystem()) {
        // A share's file keys its entry by its network path; the server tells whole seconds.
        const std::optional<platform::FileFacts> facts = platform::FileSystemFor(path).Facts(path);
        if (!facts || facts->isFolder || facts->isSpecial || facts->isDanglingLink) return std::nullopt;
        return DocumentStamp{path, facts->size, facts->lastWrite.seconds};
    }
    std::error_code error;
    const auto status = fs::status(path, error);
    if (error || !fs::is_regular_file(status)) return std::nullopt;
    const std::uintmax_t size = fs::file_size(path, error);
    if (error) return std::nullopt;
    const auto modified = fs::last_write_time(path, error);
    if (error) return std::nullopt;
    return DocumentStamp{path, size, static_cast<std::int64_t>(modified.time_since_epoch().count())};
}

std::string ConvertedPdfName(const DocumentStamp& stamp) {
    // The NUL cannot occur in a path, so no two stamps give the same bytes.
    std::string bytes = stamp.path;
    bytes += '\0';
    bytes += std::to_string(stamp.size);
    bytes += '\0';
    bytes += std::to_string(stamp.modified);
    const std::uint64_t hash = Fnv1a(bytes);
    static constexpr char kHex[] = "0123456789abcdef";
    std::string name(16, '0');
    for (int i = 0; i < 16; ++i) name[static_cast<std::size_t>(i)] = kHex[(hash >> (60 - 4 * i)) & 0xF];
    return name + ".pdf";
}

std::string DefaultConvertedPdfFolder() {
    return platform::JoinPath(platform::JoinPath(platform::UserCacheFolder(), "pelmora"), "office-pdf");
}

ConvertedPdfCache::ConvertedPdfCache(std::string folder, std::uintmax_t limitBytes)
    : folder_(std::move(folder)), limit_(limitBytes) {}

std::optional<std::string> ConvertedPdfCache::Find(const std::string& name) const {
    const std::string path = platform::JoinPath(folder_, name);
    std::error_code error;
    if (!fs::is_regular_file(path, error)) return std::nullopt;
    Tighten(folder_, kPrivateFolder);
    Tighten(path, kPrivateEntry);
    fs::last_write_time(path, fs::file_time_type::clock::now(), error);
    return path;
}

std::optional<std::string> ConvertedPdfCache::Store(const std::string& name, const std::string& producedPdf) const {
    std::error_code error;
    if (!MakePrivateFolder(folder_)) return std::nullopt;
    const std::string path = platform::JoinPath(folder_, name);
    // Copied beside the entry first, so a reader never sees half a PDF.
    const std::string part = path + ".part";
    fs::copy_file(producedPdf, part, fs::copy_options::overwrite_existing, error);
    if (!error) fs::permissions(part, kPrivateEntry, error);
    if (!error) fs::rename(part, path, error);
    if (error) {
        fs::remove(part, error);
        return std::nullopt;
    }
    Bound(name);
    return path;
}

void ConvertedPdfCache::Bound(const std::string& keep) const {
    struct Entry {
        fs::path path;
        std::uintmax_t size;
        fs::file_time_type used;
    };
    std::vector<Entry> entries;
    std::uintmax_t total = 0;
    std::error_code error;
    for (fs::directory_iterator it(folder_, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        // Only the cache's own entries: nothing else in the folder is touched.
        if (!IsEntryName(name) || name == keep) continue;
        Tighten(it->path(), kPrivateEntry);
        std::error_code entryError;
        const std::uintmax_t size = it->file_size(entryError);
        const auto used = it->last_write_time(entryError);
        if (entryError) continue;
        entries.push_back({it->path(), size, used});
        total += size;
    }
    if (!keep.empty()) {
        std::error_code keepError;
        const std::uintmax_t size = fs::file_size(platform::JoinPath(folder_, keep), keepError);
        if (!keepError) total += size;
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.used < b.used; });
    for (const Entry& entry : entries) {
        if (total <= limit_) break;
        std::error_code removeError;
        if (fs::remove(entry.path, removeError)) total -= entry.size;
    }
}

}  // namespace pelmora
