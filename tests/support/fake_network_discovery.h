#pragma once
// A network the test describes: the entries below each locator ("" for the top level), a
// failure to open a level, a failure after some entries. Counts what was read.

#include <map>
#include <string>
#include <vector>

#include "platform/network_discovery.h"

namespace pelmora::testing {

class FakeNetworkDiscovery : public platform::NetworkDiscovery {
public:
    struct Level {
        std::vector<platform::NetworkResource> entries;
        std::error_code openError;   // the level cannot be opened
        std::error_code failAtEnd;   // reading fails after the entries instead of ending
    };

    static platform::NetworkResource Entry(platform::NetworkResourceKind kind, const std::string& name, bool container,
                                           const std::string& locator = {}) {
        return {kind, name, container, locator.empty() ? name : locator};
    }

    // The provider, a workgroup, servers and shares: SMB → WORKGROUP → //alpha, //beta;
    // //alpha → //alpha/docs, //alpha/music.
    static FakeNetworkDiscovery SmallNetwork() {
        using K = platform::NetworkResourceKind;
        FakeNetworkDiscovery network;
        network.levels[""] = {{Entry(K::Provider, "SMB", true)}, {}, {}};
        network.levels["SMB"] = {{Entry(K::Group, "WORKGROUP", true)}, {}, {}};
        network.levels["WORKGROUP"] = {{Entry(K::Server, "//alpha", true), Entry(K::Server, "//beta", true)}, {}, {}};
        network.levels["//alpha"] = {{Entry(K::Share, "//alpha/docs", false), Entry(K::Share, "//alpha/music", false)},
                                     {}, {}};
        return network;
    }

    std::unique_ptr<platform::NetworkEnumeration> OpenLevel(const platform::NetworkResource* parent,
                                                            std::error_code& error) override {
        const std::string locator = parent ? parent->locator : std::string();
        opened.push_back(locator);
        const auto found = levels.find(locator);
        if (found == levels.end()) return std::make_unique<Enumeration>(Level{});
        if (found->second.openError) {
            error = found->second.openError;
            return nullptr;
        }
        return std::make_unique<Enumeration>(found->second);
    }

    std::map<std::string, Level> levels;
    std::vector<std::string> opened;  // the locators of the levels opened, in order

private:
    class Enumeration : public platform::NetworkEnumeration {
    public:
        explicit Enumeration(Level level) : level_(std::move(level)) {}
        bool Next(platform::NetworkResource& resource, std::error_code& error) override {
            if (next_ < level_.entries.size()) {
                resource = level_.entries[next_++];
                return true;
            }
            error = level_.failAtEnd;
            return false;
        }

    private:
        Level level_;
        std::size_t next_ = 0;
    };
};

}  // namespace pelmora::testing
