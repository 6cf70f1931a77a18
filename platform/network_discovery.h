#pragma once
// What the network browse window shows: the SMB network as providers, groups (workgroups,
// domains, and the servers that announce themselves by DNS-SD), servers and shares, one
// level at a time. Each level is read from the network only when asked for.

#include <cstdint>
#include <memory>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace pelmora::platform {

enum class NetworkResourceKind { Provider, Group, Server, Share };

struct NetworkResource {
    NetworkResourceKind kind = NetworkResourceKind::Provider;
    // What the user sees: a provider's or group's name, "//server", "//server/share".
    std::string remoteName;
    bool container = false;  // it has a level below it
    // Where the level below is read (an smb:// URL, or the DNS-SD group's own marker).
    std::string locator;
};

// One level being read, entry by entry.
class NetworkEnumeration {
public:
    virtual ~NetworkEnumeration() = default;
    // The next entry. False at the end, or on a failure (error set).
    virtual bool Next(NetworkResource& resource, std::error_code& error) = 0;
};

// Entries known before the enumeration is handed out.
class FixedNetworkEnumeration : public NetworkEnumeration {
public:
    explicit FixedNetworkEnumeration(std::vector<NetworkResource> entries) : entries_(std::move(entries)) {}
    bool Next(NetworkResource& resource, std::error_code&) override {
        if (next_ >= entries_.size()) return false;
        resource = entries_[next_++];
        return true;
    }

private:
    std::vector<NetworkResource> entries_;
    std::size_t next_ = 0;
};

class NetworkDiscovery {
public:
    virtual ~NetworkDiscovery() = default;
    // Opens the level below `parent`, or the top level (the providers) for null. Null with
    // error set when the level cannot be read.
    virtual std::unique_ptr<NetworkEnumeration> OpenLevel(const NetworkResource* parent, std::error_code& error) = 0;
};

struct SmbDiscoveryOptions {
    std::uint16_t port = 0;   // 0: the port the shares are read on (SmbServerPort)
    int timeoutMs = 5000;     // per request
};

// libsmbclient browsing (workgroups, servers, shares) and Avahi DNS-SD for the servers
// that announce _smb._tcp. Credentials come from the run's SmbCredentialStore; without
// them the server is asked as a guest.
std::unique_ptr<NetworkDiscovery> MakeSmbNetworkDiscovery(const SmbDiscoveryOptions& options = {});

// A server reached by name, as the level of its shares can be read from it (what the
// server entries of a group hold).
NetworkResource SmbServerResource(const std::string& host);

}  // namespace pelmora::platform
