#include "platform/posix/smb_context_pool_posix.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/posix/smb_credential_callback_posix.h"
#include "platform/posix/smb_library_threads_posix.h"
#include "platform/smb_credentials.h"
#include "platform/smb_file_system.h"
#include "platform/smb_url.h"

namespace pelmora::platform {

namespace {

// Idle contexts kept beyond this are closed: few files are open at once.
constexpr std::size_t kMostIdle = 16;

std::uint16_t PortFromEnvironment() {
    const char* chosen = std::getenv("PELMORA_SMB_PORT");
    if (chosen == nullptr || *chosen == '\0') return 0;
    const long port = std::strtol(chosen, nullptr, 10);
    return port > 0 && port < 65536 ? static_cast<std::uint16_t>(port) : 0;
}

// The port and the time-out a new context gets, as one number.
std::uint64_t CurrentSettings() {
    return (static_cast<std::uint64_t>(PortFromEnvironment()) << 32) |
           static_cast<std::uint64_t>(SmbRequestTimeout().count() & 0xFFFFFFFF);
}

SMBCCTX* MakeContext() {
    // Before the library's first use.
    SmbLibraryServesThreads();
    SMBCCTX* context = smbc_new_context();
    if (context == nullptr) return nullptr;
    smbc_setDebug(context, 0);
    smbc_setTimeout(context, static_cast<int>(SmbRequestTimeout().count()));
    if (const std::uint16_t port = PortFromEnvironment(); port != 0) smbc_setPort(context, port);
    smbc_setFunctionAuthDataWithContext(context, SupplyRunCredentials);
    // No Kerberos ticket is looked for: the user and password decide.
    smbc_setOptionUseKerberos(context, 0);
    smbc_setOptionFallbackAfterKerberos(context, 1);
    smbc_setOptionFullTimeNames(context, 1);
    if (smbc_init_context(context) == nullptr) {
        const int failure = errno;
        smbc_free_context(context, 1);
        errno = failure != 0 ? failure : EIO;
        return nullptr;
    }
    return context;
}

void FreeContext(SMBCCTX* context) {
    std::lock_guard lock(SmbLibraryLock());
    smbc_free_context(context, 1);
}

}  // namespace

SmbContextPool::Lease& SmbContextPool::Lease::operator=(Lease&& other) noexcept {
    if (this != &other) {
        Return();
        pool_ = other.pool_;
        context_ = other.context_;
        generation_ = other.generation_;
        connected_ = std::move(other.connected_);
        other.pool_ = nullptr;
        other.context_ = nullptr;
    }
    return *this;
}

void SmbContextPool::Lease::Return() {
    if (pool_ != nullptr && context_ != nullptr) pool_->GiveBack(context_, generation_, std::move(connected_));
    pool_ = nullptr;
    context_ = nullptr;
}

SmbContextPool& SmbContextPool::Shared() {
    // Never destroyed: closing connections at exit could wait for a server that is gone.
    static SmbContextPool* pool = new SmbContextPool;
    return *pool;
}

SmbContextPool::~SmbContextPool() {
    for (const Idle& idle : idle_) FreeContext(idle.context);
}

SmbContextPool::Lease SmbContextPool::Borrow() {
    const std::uint64_t generation = SmbCredentialStore::ForThisRun().Generation();
    std::vector<SMBCCTX*> stale;
    SMBCCTX* found = nullptr;
    std::vector<std::string> connected;
    {
        std::lock_guard lock(mutex_);
        while (!idle_.empty()) {
            Idle idle = std::move(idle_.back());
            idle_.pop_back();
            if (idle.generation == generation && idle.settings == CurrentSettings()) {
                found = idle.context;
                connected = std::move(idle.connected);
                break;
            }
            stale.push_back(idle.context);
        }
    }
    for (SMBCCTX* context : stale) FreeContext(context);
    if (found != nullptr) return Lease(this, found, generation, std::move(connected));
    SMBCCTX* made = nullptr;
    {
        std::lock_guard lock(SmbLibraryLock());
        made = MakeContext();
    }
    if (made == nullptr) return Lease();
    return Lease(this, made, generation);
}

void SmbContextPool::GiveBack(SMBCCTX* context, std::uint64_t generation, std::vector<std::string> connected) {
    if (generation == SmbCredentialStore::ForThisRun().Generation()) {
        std::lock_guard lock(mutex_);
        if (idle_.size() < kMostIdle) {
            idle_.push_back({context, generation, CurrentSettings(), std::move(connected)});
            return;
        }
    }
    FreeContext(context);
}

std::uint16_t SmbServerPort() { return PortFromEnvironment(); }

}  // namespace pelmora::platform
