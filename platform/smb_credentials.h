#pragma once
// Credentials for SMB servers. They are kept in memory for the run only, one set per server,
// and never reach a file, a log or a command line. Passwords live in secret memory (left
// out of core dumps, wiped when forgotten).

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "platform/secret_text.h"

namespace pelmora::platform {

struct SmbCredentials {
    std::string user;
    std::string domain;  // domain or workgroup; empty: the server's own
    SecretText password;
};

// Asks the user for the credentials of a server whose share refused the guest. Supplied by
// the window (a dialog) or the terminal lister (an authentication file).
class SmbCredentialAsker {
public:
    virtual ~SmbCredentialAsker() = default;
    // False where no question can be shown from the calling thread (a window's dialog from a
    // worker thread): the request then fails as refused.
    virtual bool CanAskOnThisThread() const { return true; }
    // again: the previous answer for this server was refused. share: empty when the server's
    // list of shares is asked for. Nothing: the user gave up.
    virtual std::optional<SmbCredentials> Ask(const std::string& server, const std::string& share, bool again) = 0;
};

class SmbCredentialStore {
public:
    // The one store of this run, shared by the file system, the network window and the
    // connect dialog.
    static SmbCredentialStore& ForThisRun();

    // `server` is the host part of a //server/share path, compared without regard to case.
    // Forgetting wipes the password and drops the connections made with it.
    void Remember(const std::string& server, SmbCredentials credentials);
    std::optional<SmbCredentials> Find(const std::string& server) const;
    void Forget(const std::string& server);

    // Counts every change, so that connections made with older credentials are dropped.
    std::uint64_t Generation() const;

    // Who asks when a share refuses; null (the default): nobody, the request fails.
    void SetAsker(SmbCredentialAsker* asker);
    SmbCredentialAsker* Asker() const;

private:
    static std::string KeyOf(const std::string& server);

    mutable std::mutex mutex_;
    std::map<std::string, SmbCredentials> byServer_;
    std::uint64_t generation_ = 0;
    SmbCredentialAsker* asker_ = nullptr;
};

}  // namespace pelmora::platform
