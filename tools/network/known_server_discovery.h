#pragma once
// The network as the window shows it: the provider's level starts with a group of the
// servers the program already knows (see known_servers.h); everything else is read by the
// discovery it wraps.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/network_discovery.h"

namespace pelmora {

// The locator of the known-servers group: no smb:// URL has this form.
inline constexpr char kKnownServersLocator[] = "pelmora:known-servers";

class KnownServerDiscovery : public platform::NetworkDiscovery {
public:
    // knownServers is asked each time the group is read, on the thread that reads it.
    KnownServerDiscovery(platform::NetworkDiscovery& network, std::function<std::vector<std::string>()> knownServers)
        : network_(network), knownServers_(std::move(knownServers)) {}

    std::unique_ptr<platform::NetworkEnumeration> OpenLevel(const platform::NetworkResource* parent,
                                                            std::error_code& error) override;

private:
    platform::NetworkDiscovery& network_;
    std::function<std::vector<std::string>()> knownServers_;
};

}  // namespace pelmora
