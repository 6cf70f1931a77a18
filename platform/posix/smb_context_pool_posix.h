#pragma once
// libsmbclient contexts, lent out one per request or open file, so that the server
// connections of earlier requests stay open for the next ones. A context made before the
// credential store last changed, or with another port or time-out, is dropped rather than
// reused, so new credentials and settings are used at once.
//
// The library keeps state of its own that is shared by all contexts and not guarded (this
// build offers no thread set-up), so every call into it holds SmbLibraryLock: the walk's
// threads take turns at the server.

#include <libsmbclient.h>

#include <cstdint>
#include <mutex>
#include <vector>

namespace pelmora::platform {

// Held around every call into libsmbclient.
std::mutex& SmbLibraryLock();

class SmbContextPool {
public:
    class Lease {
    public:
        Lease() = default;
        Lease(SmbContextPool* pool, SMBCCTX* context, std::uint64_t generation)
            : pool_(pool), context_(context), generation_(generation) {}
        Lease(Lease&& other) noexcept { *this = std::move(other); }
        Lease& operator=(Lease&& other) noexcept;
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;
        ~Lease() { Return(); }

        SMBCCTX* get() const { return context_; }
        explicit operator bool() const { return context_ != nullptr; }
        // The credential store's generation when the context was made.
        std::uint64_t Generation() const { return generation_; }

    private:
        void Return();
        SmbContextPool* pool_ = nullptr;
        SMBCCTX* context_ = nullptr;
        std::uint64_t generation_ = 0;
    };

    static SmbContextPool& Shared();

    // An empty lease with errno set when no context could be made.
    Lease Borrow();

    ~SmbContextPool();

private:
    struct Idle {
        SMBCCTX* context;
        std::uint64_t generation;
        std::uint64_t settings;
    };
    void GiveBack(SMBCCTX* context, std::uint64_t generation);

    std::mutex mutex_;
    std::vector<Idle> idle_;
};

}  // namespace pelmora::platform
