// The network discovery service: the levels it gives without a network, and the shares of
// a real smbd on this machine.

#include <gtest/gtest.h>

#include "platform/network_discovery.h"
#include "tests/support/samba_server_fixture.h"

using namespace pelmora;
using namespace pelmora::platform;
using pelmora::testing::SambaServerFixture;

// libsmbclient sets up process-wide state (a talloc block) once and keeps it until the
// process ends; the sanitizer build should not count that as our leak.
extern "C" const char* __lsan_default_suppressions() { return "leak:libtalloc.so\n"; }

namespace {

std::vector<NetworkResource> ReadLevel(NetworkDiscovery& discovery, const NetworkResource* parent,
                                       std::error_code& error) {
    std::vector<NetworkResource> entries;
    auto level = discovery.OpenLevel(parent, error);
    if (!level) return entries;
    NetworkResource entry;
    while (level->Next(entry, error)) entries.push_back(entry);
    return entries;
}

}  // namespace

TEST(NetworkDiscovery, TheTopIsTheSmbProviderWhoseFirstGroupIsDnsSd) {
    auto discovery = MakeSmbNetworkDiscovery();
    std::error_code error;
    const auto top = ReadLevel(*discovery, nullptr, error);
    ASSERT_EQ(top.size(), 1u);
    EXPECT_FALSE(error);
    EXPECT_EQ(top[0].kind, NetworkResourceKind::Provider);
    EXPECT_TRUE(top[0].container);

    // The DNS-SD group comes without asking the network; NetBIOS browsing follows it.
    auto groups = discovery->OpenLevel(&top[0], error);
    ASSERT_TRUE(groups);
    NetworkResource group;
    ASSERT_TRUE(groups->Next(group, error));
    EXPECT_EQ(group.kind, NetworkResourceKind::Group);
    EXPECT_NE(group.remoteName.find("DNS-SD"), std::string::npos);
    EXPECT_TRUE(group.container);
}

TEST(NetworkDiscovery, ASharesLevelListsTheDiskSharesOfARealServer) {
    SambaServerFixture server({"public", "second"});
    ASSERT_TRUE(server.Ready()) << server.Log();
    auto discovery = MakeSmbNetworkDiscovery({server.Port(), 5000});

    const NetworkResource host = SmbServerResource("127.0.0.1");
    EXPECT_EQ(host.remoteName, "//127.0.0.1");
    EXPECT_TRUE(host.container);
    std::error_code error;
    const auto shares = ReadLevel(*discovery, &host, error);
    EXPECT_FALSE(error) << error.message();
    std::vector<std::string> names;
    for (const auto& share : shares) {
        EXPECT_EQ(share.kind, NetworkResourceKind::Share);
        EXPECT_FALSE(share.container);
        names.push_back(share.remoteName);
    }
    // IPC$ is no folder to browse.
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"//127.0.0.1/public", "//127.0.0.1/second"}));
}

TEST(NetworkDiscovery, AServerThatDoesNotAnswerGivesTheSystemsError) {
    // A port nobody listens on: a fixture's port once its server has stopped.
    std::uint16_t port = 0;
    {
        SambaServerFixture stopped({"x"});
        port = stopped.Port();
    }
    auto discovery = MakeSmbNetworkDiscovery({port, 3000});
    const NetworkResource host = SmbServerResource("127.0.0.1");
    std::error_code error;
    EXPECT_FALSE(discovery->OpenLevel(&host, error));
    EXPECT_TRUE(error);
    EXPECT_FALSE(error.message().empty());
}
