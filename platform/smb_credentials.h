#pragma once
// Credentials for SMB servers. They are kept in memory for the run only, one set per server,
// and never reach a file, a log or a command line.

#include <map>
#include <mutex>
#include <optional>
#include <string>

namespace pelmora::platform {

struct SmbCredentials {
    std::string user;
    std::string domain;  // domain or workgroup; empty: the server's own
    std::string password;
};

class SmbCredentialStore {
public:
    // The one store of this run, shared by the file system, the network window and the
    // connect dialog.
    static SmbCredentialStore& ForThisRun();

    // `server` is the host part of a //server/share path, compared without regard to case.
    void Remember(const std::string& server, SmbCredentials credentials);
    std::optional<SmbCredentials> Find(const std::string& server) const;
    void Forget(const std::string& server);

private:
    static std::string KeyOf(const std::string& server);

    mutable std::mutex mutex_;
    std::map<std::string, SmbCredentials> byServer_;
};

}  // namespace pelmora::platform
