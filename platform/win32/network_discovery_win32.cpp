#include "platform/network_discovery.h"

#include <windows.h>

namespace pelmora::platform {

namespace {

// Not available on Windows yet (WNetOpenEnum comes with the network window's port): the
// network has no level to open.
class UnavailableNetworkDiscovery final : public NetworkDiscovery {
public:
    std::unique_ptr<NetworkEnumeration> OpenLevel(const NetworkResource*, std::error_code& error) override {
        error = std::error_code(ERROR_NOT_SUPPORTED, std::system_category());
        return nullptr;
    }
};

}  // namespace

std::unique_ptr<NetworkDiscovery> MakeSmbNetworkDiscovery(const SmbDiscoveryOptions&) {
    return std::make_unique<UnavailableNetworkDiscovery>();
}

NetworkResource SmbServerResource(const std::string& host) {
    NetworkResource resource;
    resource.kind = NetworkResourceKind::Server;
    resource.remoteName = "\\\\" + host;
    resource.container = true;
    resource.locator = resource.remoteName;
    return resource;
}

}  // namespace pelmora::platform
