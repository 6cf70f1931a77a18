#include "platform/smb_file_system.h"

#include <arpa/inet.h>
#include <libsmbclient.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <vector>

#include "platform/posix/smb_context_pool_posix.h"
#include "platform/posix/smb_library_threads_posix.h"
#include "platform/smb_credentials.h"
#include "platform/smb_failure.h"
#include "platform/smb_url.h"

namespace pelmora::platform {

namespace {

// After the user gave up on a server (or gave a wrong password twice), the folders that
// follow fail without asking again for this long, so a walk asks once, not for every folder.
constexpr std::chrono::seconds kRefusalHold{30};

// Facts by path come from the listing of the parent folder (the one request that gives the
// attribute bits and the creation time); a listing of several files of one folder reads the
// folder once within this time.
constexpr std::chrono::seconds kParentListingReuse{2};

std::error_code ErrorFrom(int number) { return {number != 0 ? number : EIO, std::generic_category()}; }

// "//server/share/rest" in its parts; false when the path names no share.
struct SharePath {
    std::string server, share;
};

bool SplitSharePath(std::string_view path, SharePath& parts) {
    if (path.size() < 3 || path[0] != '/' || path[1] != '/') return false;
    path.remove_prefix(2);
    const auto serverEnd = path.find('/');
    if (serverEnd == 0 || serverEnd == std::string_view::npos) return false;
    parts.server = std::string(path.substr(0, serverEnd));
    std::string_view rest = path.substr(serverEnd + 1);
    const auto shareEnd = rest.find('/');
    parts.share = std::string(rest.substr(0, shareEnd));
    return !parts.share.empty();
}

std::uint64_t ShareNumber(const SharePath& parts) {
    // FNV-1a of "server/share" without regard to case: the same on every run.
    std::uint64_t hash = 14695981039346656037ull;
    for (const std::string* part : {&parts.server, &parts.share}) {
        for (const char c : *part) {
            hash ^= static_cast<unsigned char>(std::tolower(static_cast<unsigned char>(c)));
            hash *= 1099511628211ull;
        }
        hash ^= '/';
        hash *= 1099511628211ull;
    }
    return hash;
}

FileTime TimeFrom(const timespec& stamp) {
    if (stamp.tv_sec == 0 && stamp.tv_nsec == 0) return {};
    return FileTime{true, static_cast<std::int64_t>(stamp.tv_sec)};
}

struct SmbEntry {
    std::string name;
    FileFacts facts;
    std::uint64_t fileNumber = 0;
};

// status: the record the listing gave with info (its file number is used only for the
// folder's own entry).
SmbEntry EntryFrom(const libsmb_file_info& info, const struct stat& status) {
    SmbEntry entry;
    entry.name = info.name != nullptr ? info.name : "";
    FileFacts& facts = entry.facts;
    facts.isFolder = (info.attrs & SMBC_DOS_MODE_DIRECTORY) != 0;
    facts.size = facts.isFolder ? 0 : info.size;
    facts.ownerCanWrite = (info.attrs & SMBC_DOS_MODE_READONLY) == 0;
    facts.creation = TimeFrom(info.btime_ts);
    facts.lastWrite = TimeFrom(info.mtime_ts);
    facts.lastAccess = TimeFrom(info.atime_ts);
    facts.dosAttributes = info.attrs & (kDosReadOnly | kDosHidden | kDosSystem | kDosArchive);
    entry.fileNumber = static_cast<std::uint64_t>(status.st_ino);
    return entry;
}

// A whole folder as one enumeration gives it: names with their facts, and the folder's own.
struct SmbListing {
    std::vector<SmbEntry> entries;  // without "." and ".."
    std::optional<SmbEntry> self;
};

const SmbEntry* FindEntry(const std::vector<SmbEntry>& entries, std::string_view name) {
    for (const SmbEntry& entry : entries)
        if (entry.name == name) return &entry;
    // Names on a share are compared without regard to case.
    for (const SmbEntry& entry : entries) {
        if (entry.name.size() == name.size() &&
            std::equal(name.begin(), name.end(), entry.name.begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
            }))
            return &entry;
    }
    return nullptr;
}

// --- Requests with credentials ----------------------------------------------------------------

class Requests {
public:
    // Runs request with a lent context, asking for credentials when the share refuses.
    // request returns false with errno set when it fails; it may keep the lease on success.
    template <typename Request>
    bool Run(std::string_view path, Request&& request, std::error_code& error) {
        SharePath parts;
        SplitSharePath(path, parts);
        int asked = 0;
        for (int round = 0; round < 6; ++round) {
            SmbContextPool::Lease lease = SmbContextPool::Shared().Borrow();
            if (!lease) {
                error = ErrorFrom(errno);
                return false;
            }
            if (ServerGone(parts.server)) {
                error = ErrorFrom(ETIMEDOUT);
                return false;
            }
            // The library keeps one connection per share.
            const std::string share = KeyOf(parts.server + "/" + parts.share);
            int failure = 0;
            {
                // Only a call that may connect (or reconnect after a failure) takes turns.
                SmbCall call(lease.IsConnectedTo(share));
                errno = 0;
                if (request(lease)) {
                    lease.SetConnectedTo(share, true);
                    error.clear();
                    return true;
                }
                failure = errno != 0 ? errno : EIO;
            }
            lease.SetConnectedTo(share, false);
            error = ErrorFrom(failure);
            if (failure == ETIMEDOUT || failure == EAGAIN) MarkGone(parts.server);
            if ((failure != EACCES && failure != EPERM) || parts.server.empty()) return false;
            const std::uint64_t used = lease.Generation();
            lease = SmbContextPool::Lease();
            SmbCredentialStore& store = SmbCredentialStore::ForThisRun();
            // Another request has just been given new credentials: try them first.
            if (store.Generation() != used) continue;
            // Credentials that were not asked for here (remembered earlier, or given to the
            // connect dialog) were accepted before: the refusal is about this item.
            if (asked == 0 && store.Find(parts.server)) return false;
            if (asked == 2) {
                store.Forget(parts.server);
                Refuse(parts.server);
                return false;
            }
            if (!Ask(parts, asked > 0, used)) return false;
            ++asked;
        }
        return false;
    }

private:
    // After a request to a server timed out, the requests waiting behind it fail at once for
    // a while rather than each waiting out its own time-out.
    bool ServerGone(const std::string& server) {
        std::lock_guard lock(goneMutex_);
        const auto found = goneUntil_.find(KeyOf(server));
        return found != goneUntil_.end() && std::chrono::steady_clock::now() < found->second;
    }

    void MarkGone(const std::string& server) {
        std::lock_guard lock(goneMutex_);
        goneUntil_[KeyOf(server)] = std::chrono::steady_clock::now() + SmbRequestTimeout();
    }

    bool Ask(const SharePath& parts, bool again, std::uint64_t used) {
        SmbCredentialStore& store = SmbCredentialStore::ForThisRun();
        SmbCredentialAsker* asker = store.Asker();
        if (asker == nullptr || !asker->CanAskOnThisThread()) return false;
        std::unique_lock lock(askMutex_);
        // A window's question runs the window's events while it is open, so a request may
        // arrive from the very thread that asks: it cannot wait for an answer it holds up
        // itself, and is refused.
        if (asking_ && askingThread_ == std::this_thread::get_id()) return false;
        // One question at a time; whoever waited finds the answer already given.
        answered_.wait(lock, [this] { return !asking_; });
        if (store.Generation() != used) return true;
        const std::string key = KeyOf(parts.server);
        if (const auto refused = refusedAt_.find(key); refused != refusedAt_.end()) {
            if (std::chrono::steady_clock::now() - refused->second < kRefusalHold) return false;
            refusedAt_.erase(refused);
        }
        asking_ = true;
        askingThread_ = std::this_thread::get_id();
        lock.unlock();
        std::optional<SmbCredentials> answer;
        try {
            answer = asker->Ask(parts.server, parts.share, again);
        } catch (...) {
            EndQuestion(key, false);
            throw;
        }
        // Remembered before the waiting requests wake, so that they use it.
        if (answer) store.Remember(parts.server, std::move(*answer));
        const bool given = answer.has_value();
        EndQuestion(key, given);
        return given;
    }

    void EndQuestion(const std::string& key, bool answered) {
        {
            std::lock_guard lock(askMutex_);
            asking_ = false;
            if (!answered) refusedAt_[key] = std::chrono::steady_clock::now();
        }
        answered_.notify_all();
    }

    void Refuse(const std::string& server) {
        std::lock_guard lock(askMutex_);
        refusedAt_[KeyOf(server)] = std::chrono::steady_clock::now();
    }

public:
    void ForgetRefusal(const std::string& server) {
        std::lock_guard lock(askMutex_);
        refusedAt_.erase(KeyOf(server));
    }

private:

    static std::string KeyOf(std::string server) {
        std::transform(server.begin(), server.end(), server.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return server;
    }

    std::mutex askMutex_;
    std::condition_variable answered_;
    bool asking_ = false;
    std::thread::id askingThread_;
    std::unordered_map<std::string, std::chrono::steady_clock::time_point> refusedAt_;
    std::mutex goneMutex_;
    std::unordered_map<std::string, std::chrono::steady_clock::time_point> goneUntil_;
};

Requests& SharedRequests() {
    static Requests requests;
    return requests;
}

bool ReadListing(const std::string& path, SmbListing& listing, std::error_code& error) {
    const std::string url = SmbUrlOfPath(path);
    return SharedRequests().Run(
        path,
        [&](SmbContextPool::Lease& lease) {
            SMBCCTX* context = lease.get();
            listing = SmbListing{};
            SMBCFILE* folder = smbc_getFunctionOpendir(context)(context, url.c_str());
            if (folder == nullptr) return false;
            // Only the folder's own entry needs the file number (the variant with a status
            // record costs a configuration look-up per entry): the plain variant reads on.
            struct stat status {};
            bool selfSeen = false;
            for (;;) {
                const libsmb_file_info* info =
                    selfSeen ? smbc_getFunctionReaddirPlus(context)(context, folder)
                             : smbc_getFunctionReaddirPlus2(context)(context, folder, &status);
                if (info == nullptr) break;
                if (info->name == nullptr) continue;
                if (std::strcmp(info->name, ".") == 0) {
                    listing.self = EntryFrom(*info, status);
                    selfSeen = true;
                } else if (std::strcmp(info->name, "..") != 0) {
                    listing.entries.push_back(EntryFrom(*info, status));
                }
            }
            smbc_getFunctionClosedir(context)(context, folder);
            return true;
        },
        error);
}

// The library says "no such file" for a missing share as for a missing folder, and "invalid
// argument" for a server name it cannot resolve: the reason is made plain for the user.
// Asked only after a failure, so the extra request costs nothing on the way that works.
bool IsAddressLiteral(const std::string& server) {
    unsigned char address[16];
    std::string bare = server;
    if (bare.size() > 2 && bare.front() == '[' && bare.back() == ']') bare = bare.substr(1, bare.size() - 2);
    return inet_pton(AF_INET, bare.c_str(), address) == 1 || inet_pton(AF_INET6, bare.c_str(), address) == 1;
}

std::error_code ExplainedFailure(const std::string& path, const std::error_code& error) {
    SharePath parts;
    if (!SplitSharePath(path, parts)) return error;
    if (error == std::errc::invalid_argument && !IsAddressLiteral(parts.server))
        return MakeSmbError(SmbFailure::HostNotFound);
    if (error != std::errc::no_such_file_or_directory) return error;
    const std::string share = "//" + parts.server + "/" + parts.share;
    SmbListing top;
    std::error_code topError;
    if (path == share || (!ReadListing(share, top, topError) && topError == std::errc::no_such_file_or_directory))
        return MakeSmbError(SmbFailure::NoSuchShare);
    return error;
}

// --- Folders ------------------------------------------------------------------------------

class SmbOpenFolder final : public OpenFolder {
public:
    SmbOpenFolder(std::string path, SmbListing listing, std::uint64_t shareNumber)
        : path_(std::move(path)), listing_(std::move(listing)), shareNumber_(shareNumber) {
        byName_.reserve(listing_.entries.size());
        for (std::size_t i = 0; i < listing_.entries.size(); ++i) byName_.emplace(listing_.entries[i].name, i);
    }

    bool Next(FolderEntry& entry, std::error_code& error) override {
        error.clear();
        if (next_ >= listing_.entries.size()) return false;
        const SmbEntry& found = listing_.entries[next_++];
        entry.name = found.name;
        entry.kind = found.facts.isFolder ? EntryKind::Folder : EntryKind::File;
        return true;
    }

    std::unique_ptr<OpenFolder> OpenInside(const std::string& name, std::error_code& error) const override;

    EntryKind ResolveKind(const std::string& name) const override {
        const SmbEntry* entry = Find(name);
        return entry != nullptr && entry->facts.isFolder ? EntryKind::Folder : EntryKind::File;
    }

    // The server follows its links itself; a share shows none.
    bool IsLink(const std::string&) const override { return false; }

    bool Identity(FolderIdentity& identity, std::error_code& error) const override {
        identity.device = shareNumber_;
        identity.inode = listing_.self ? listing_.self->fileNumber : 0;
        error.clear();
        return true;
    }

    std::optional<FileFacts> EntryFacts(const std::string& name, bool) const override {
        const SmbEntry* entry = Find(name);
        if (entry == nullptr) return std::nullopt;
        return entry->facts;
    }

private:
    const SmbEntry* Find(const std::string& name) const {
        const auto found = byName_.find(name);
        return found != byName_.end() ? &listing_.entries[found->second] : FindEntry(listing_.entries, name);
    }

    std::string path_;
    SmbListing listing_;
    std::uint64_t shareNumber_;
    std::unordered_map<std::string, std::size_t> byName_;
    std::size_t next_ = 0;
};

// --- Files ----------------------------------------------------------------------------------

class SmbReadableFile final : public ReadableFile {
public:
    SmbReadableFile(SmbContextPool::Lease lease, SMBCFILE* file, std::uint64_t size)
        : lease_(std::move(lease)), file_(file), size_(size) {}
    ~SmbReadableFile() override {
        std::lock_guard library(SmbLibraryLock());
        smbc_getFunctionClose(lease_.get())(lease_.get(), file_);
    }
    SmbReadableFile(const SmbReadableFile&) = delete;
    SmbReadableFile& operator=(const SmbReadableFile&) = delete;

    std::uint64_t Size() const override { return size_; }

    bool Read(void* buffer, std::size_t length, std::size_t& got) override {
        std::lock_guard library(SmbLibraryLock());
        const ssize_t n = smbc_getFunctionRead(lease_.get())(lease_.get(), file_, buffer, length);
        got = n > 0 ? static_cast<std::size_t>(n) : 0;
        return n >= 0;
    }

    bool SeekTo(std::uint64_t offset) override {
        std::lock_guard library(SmbLibraryLock());
        return smbc_getFunctionLseek(lease_.get())(lease_.get(), file_, static_cast<off_t>(offset), SEEK_SET) >= 0;
    }

private:
    SmbContextPool::Lease lease_;
    SMBCFILE* file_;
    std::uint64_t size_;
};

// --- The service ------------------------------------------------------------------------------

std::string ParentOf(std::string_view path, std::string& name) {
    const auto slash = path.rfind('/');
    name = std::string(path.substr(slash + 1));
    return std::string(path.substr(0, slash));
}

std::string Trimmed(const std::string& path) {
    std::string trimmed = path;
    while (trimmed.size() > 2 && trimmed.back() == '/') trimmed.pop_back();
    return trimmed;
}

class SmbFileSystemImpl final : public FileSystem {
public:
    std::unique_ptr<OpenFolder> OpenFolderAt(const std::string& path, std::error_code& error) override {
        const std::string folder = Trimmed(path);
        SharePath parts;
        if (!SplitSharePath(folder, parts)) {
            error = std::make_error_code(std::errc::no_such_file_or_directory);
            return nullptr;
        }
        SmbListing listing;
        if (!ReadListing(folder, listing, error)) {
            error = ExplainedFailure(folder, error);
            return nullptr;
        }
        return std::make_unique<SmbOpenFolder>(folder, std::move(listing), ShareNumber(parts));
    }

    std::optional<FileFacts> Facts(const std::string& path) override {
        const std::string item = Trimmed(path);
        SharePath parts;
        if (!SplitSharePath(item, parts)) return std::nullopt;
        std::string name;
        const std::string parent = ParentOf(item, name);
        if (SharePath parentParts; !SplitSharePath(parent, parentParts)) {
            // The share itself: its listing names it ".".
            const std::shared_ptr<const SmbListing> listing = ListingOf(item);
            if (!listing) return std::nullopt;
            if (listing->self) return listing->self->facts;
            // Windows servers list no "." at the top of a share: it is a folder all the same.
            FileFacts facts;
            facts.isFolder = true;
            facts.dosAttributes = 0;
            return facts;
        }
        const std::shared_ptr<const SmbListing> listing = ListingOf(parent);
        if (!listing) return std::nullopt;
        const SmbEntry* entry = FindEntry(listing->entries, name);
        if (entry == nullptr) return std::nullopt;
        return entry->facts;
    }

    std::uint32_t DosAttributes(const std::string& path, const FileFacts& facts) override {
        if (facts.dosAttributes) return *facts.dosAttributes;
        const auto again = Facts(path);
        return again && again->dosAttributes ? *again->dosAttributes : 0;
    }

    std::unique_ptr<ReadableFile> OpenFileForReading(const std::string& path, std::error_code& error) override {
        SharePath parts;
        if (!SplitSharePath(path, parts)) {
            error = std::make_error_code(std::errc::no_such_file_or_directory);
            return nullptr;
        }
        const std::string url = SmbUrlOfPath(path);
        std::unique_ptr<ReadableFile> opened;
        SharedRequests().Run(
            path,
            [&](SmbContextPool::Lease& lease) {
                SMBCCTX* context = lease.get();
                struct stat status {};
                if (smbc_getFunctionStat(context)(context, url.c_str(), &status) != 0) return false;
                if (S_ISDIR(status.st_mode)) {
                    errno = EISDIR;
                    return false;
                }
                SMBCFILE* file = smbc_getFunctionOpen(context)(context, url.c_str(), O_RDONLY, 0);
                if (file == nullptr) return false;
                // The lease goes with the file: its context serves it until it is closed.
                opened = std::make_unique<SmbReadableFile>(std::move(lease), file,
                                                           static_cast<std::uint64_t>(status.st_size));
                return true;
            },
            error);
        if (!opened) error = ExplainedFailure(path, error);
        return opened;
    }

    VolumeIdentity IdentifyVolume(const std::string& path) override {
        VolumeIdentity identity;
        SharePath parts;
        if (!SplitSharePath(path, parts)) return identity;
        identity.label = "//" + parts.server + "/" + parts.share;
        identity.serial = static_cast<std::uint32_t>(ShareNumber(parts) & 0xFFFFFFFFu);
        return identity;
    }

    // Requests wait on the network, so more threads than cores pay; where the library serves
    // one call at a time, more threads would only wait on each other (measured slower).
    std::size_t PreferredWalkThreads() const override {
        if (!SmbLibraryServesThreads()) return 1;
        return std::clamp<std::size_t>(2 * std::thread::hardware_concurrency(), 4, 8);
    }

private:
    std::shared_ptr<const SmbListing> ListingOf(const std::string& folder) {
        const auto now = std::chrono::steady_clock::now();
        {
            std::lock_guard lock(cacheMutex_);
            if (cached_ && cachedFolder_ == folder && now - cachedAt_ < kParentListingReuse) return cached_;
        }
        auto listing = std::make_shared<SmbListing>();
        std::error_code error;
        if (!ReadListing(folder, *listing, error)) return nullptr;
        std::lock_guard lock(cacheMutex_);
        cached_ = listing;
        cachedFolder_ = folder;
        cachedAt_ = now;
        return listing;
    }

    std::mutex cacheMutex_;
    std::shared_ptr<const SmbListing> cached_;
    std::string cachedFolder_;
    std::chrono::steady_clock::time_point cachedAt_;
};

std::unique_ptr<OpenFolder> SmbOpenFolder::OpenInside(const std::string& name, std::error_code& error) const {
    return SmbFileSystem().OpenFolderAt(path_ + "/" + name, error);
}

}  // namespace

FileSystem& SmbFileSystem() {
    static SmbFileSystemImpl smb;
    return smb;
}

void AskAgainForCredentials(const std::string& server) { SharedRequests().ForgetRefusal(server); }

std::chrono::milliseconds SmbRequestTimeout() {
    if (const char* chosen = std::getenv("PELMORA_SMB_TIMEOUT"); chosen != nullptr && *chosen != '\0') {
        const long seconds = std::strtol(chosen, nullptr, 10);
        if (seconds >= 1 && seconds <= 600) return std::chrono::seconds(seconds);
    }
    return kDefaultSmbRequestTimeout;
}

}  // namespace pelmora::platform
