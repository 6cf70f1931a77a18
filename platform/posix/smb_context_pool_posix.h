#pragma once
// libsmbclient contexts, lent out one per request or open file, so that the server
// connections of earlier requests stay open for the next ones. A context made before the
// credential store last changed, or with another port or time-out, is dropped rather than
// reused, so new credentials and settings are used at once.
//
// A context is used by one thread at a time. Calls on distinct contexts run side by side
// where the library serves threads (smb_library_threads_posix.h); a lease says which shares
// its context is already connected to, so that the calls that may connect take turns.

#include <libsmbclient.h>

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace pelmora::platform {

class SmbContextPool {
public:
    class Lease {
    public:
        Lease() = default;
        Lease(SmbContextPool* pool, SMBCCTX* context, std::uint64_t generation,
              std::vector<std::string> connected = {})
            : pool_(pool), context_(context), generation_(generation), connected_(std::move(connected)) {}
        Lease(Lease&& other) noexcept { *this = std::move(other); }
        Lease& operator=(Lease&& other) noexcept;
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;
        ~Lease() { Return(); }

        SMBCCTX* get() const { return context_; }
        explicit operator bool() const { return context_ != nullptr; }
        // The credential store's generation when the context was made.
        std::uint64_t Generation() const { return generation_; }

        // Whether a request to `share` ("server/share" in lower case) has succeeded on this
        // context since it last failed there: the connection is up and a call will not make one.
        bool IsConnectedTo(const std::string& share) const {
            return std::find(connected_.begin(), connected_.end(), share) != connected_.end();
        }
        void SetConnectedTo(const std::string& share, bool connected) {
            const auto found = std::find(connected_.begin(), connected_.end(), share);
            if (connected && found == connected_.end()) connected_.push_back(share);
            if (!connected && found != connected_.end()) connected_.erase(found);
        }

    private:
        void Return();
        SmbContextPool* pool_ = nullptr;
        SMBCCTX* context_ = nullptr;
        std::uint64_t generation_ = 0;
        std::vector<std::string> connected_;
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
        std::vector<std::string> connected;
    };
    void GiveBack(SMBCCTX* context, std::uint64_t generation, std::vector<std::string> connected);

    std::mutex mutex_;
    std::vector<Idle> idle_;
};

}  // namespace pelmora::platform
