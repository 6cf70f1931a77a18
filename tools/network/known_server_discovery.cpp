#include "tools/network/known_server_discovery.h"

#include "i18n/translation.h"
#include "tools/network/network_texts.h"

namespace pelmora {
namespace {

using platform::NetworkResource;
using platform::NetworkResourceKind;

// The group first, then the provider's own level. The provider's level is opened only after
// the group was handed out, so that a provider that cannot be read still shows the group.
class ProviderWithKnownServers : public platform::NetworkEnumeration {
public:
    ProviderWithKnownServers(platform::NetworkDiscovery& network, NetworkResource provider)
        : network_(network), provider_(std::move(provider)) {}
    bool Next(NetworkResource& resource, std::error_code& error) override {
        if (!groupGiven_) {
            groupGiven_ = true;
            resource = {NetworkResourceKind::Group, Translated(network_texts::kKnownServersGroup), true, kKnownServersLocator};
            return true;
        }
        if (!inner_) {
            if (failed_) return false;
            inner_ = network_.OpenLevel(&provider_, error);
            if (!inner_) {
                if (!error) error = std::make_error_code(std::errc::io_error);
                failed_ = true;
                return false;
            }
        }
        return inner_->Next(resource, error);
    }

private:
    platform::NetworkDiscovery& network_;
    NetworkResource provider_;
    std::unique_ptr<platform::NetworkEnumeration> inner_;
    bool groupGiven_ = false;
    bool failed_ = false;
};

}  // namespace

std::unique_ptr<platform::NetworkEnumeration> KnownServerDiscovery::OpenLevel(const NetworkResource* parent,
                                                                              std::error_code& error) {
    error.clear();
    if (parent && parent->kind == NetworkResourceKind::Provider) {
        return std::make_unique<ProviderWithKnownServers>(network_, *parent);
    }
    if (parent && parent->locator == kKnownServersLocator) {
        std::vector<NetworkResource> servers;
        for (const std::string& server : knownServers_ ? knownServers_() : std::vector<std::string>{})
            servers.push_back(platform::SmbServerResource(server));
        return std::make_unique<platform::FixedNetworkEnumeration>(std::move(servers));
    }
    return network_.OpenLevel(parent, error);
}

}  // namespace pelmora
