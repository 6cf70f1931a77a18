// The network discovery service: the levels it gives without a network, and the shares of
// a real smbd on this machine.

#include <gtest/gtest.h>

#include "platform/network_discovery.h"
#include "platform/smb_credentials.h"
#include "tests/support/scripted_credential_asker.h"
#include "tests/support/smb_test_server.h"

using namespace pelmora;
using namespace pelmora::platform;
using pelmora::testing::ScriptedAsker;
using pelmora::testing::SmbTestServer;

extern "C" const char* __lsan_default_suppressions() { return pelmora::testing::kSmbClientLeakSuppressions; }

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
    SmbTestServer server;
    ASSERT_TRUE(server.Started()) << server.Log();
    auto discovery = MakeSmbNetworkDiscovery({static_cast<std::uint16_t>(server.Port()), 5000});

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
    EXPECT_EQ(names, (std::vector<std::string>{"//127.0.0.1/guest", "//127.0.0.1/secure"}));
}

TEST(NetworkDiscovery, AServerThatDoesNotAnswerGivesTheSystemsError) {
    // A port nobody listens on.
    auto discovery = MakeSmbNetworkDiscovery({static_cast<std::uint16_t>(SmbTestServer::UnusedPort()), 3000});
    const NetworkResource host = SmbServerResource("127.0.0.1");
    std::error_code error;
    EXPECT_FALSE(discovery->OpenLevel(&host, error));
    EXPECT_TRUE(error);
    EXPECT_FALSE(error.message().empty());
}

namespace {

// The store is the run's: every case leaves it as it found it.
class CredentialsReset {
public:
    ~CredentialsReset() {
        SmbCredentialStore::ForThisRun().SetAsker(nullptr);
        SmbCredentialStore::ForThisRun().Forget("127.0.0.1");
    }
};

}  // namespace

TEST(NetworkDiscovery, AServerThatRefusesTheGuestItsSharesAsksForCredentialsTwiceAtMost) {
    SmbTestServer server(SmbTestServer::Options{false});
    ASSERT_TRUE(server.Started()) << server.Log();
    CredentialsReset reset;
    auto discovery = MakeSmbNetworkDiscovery({static_cast<std::uint16_t>(server.Port()), 5000});
    const NetworkResource host = SmbServerResource("127.0.0.1");
    const SmbCredentials wrong{server.User(), "", "wrong"};
    const SmbCredentials right{server.User(), "", SmbTestServer::kSecurePassword};
    std::error_code error;

    // Nobody to ask: the refusal itself.
    EXPECT_TRUE(ReadLevel(*discovery, &host, error).empty());
    EXPECT_EQ(error, std::errc::permission_denied);

    // Two wrong answers: the level fails and the answer is not kept.
    ScriptedAsker wrongTwice({wrong, wrong, right});
    SmbCredentialStore::ForThisRun().SetAsker(&wrongTwice);
    EXPECT_TRUE(ReadLevel(*discovery, &host, error).empty());
    EXPECT_EQ(error, std::errc::permission_denied);
    EXPECT_EQ(wrongTwice.questions, (std::vector<std::string>{"127.0.0.1/", "127.0.0.1/ again"}));
    EXPECT_FALSE(SmbCredentialStore::ForThisRun().Find("127.0.0.1"));

    // A wrong answer, then the right one: the shares, and the answer kept for the run (the
    // guest connection made before is not used again).
    ScriptedAsker wrongThenRight({wrong, right});
    SmbCredentialStore::ForThisRun().SetAsker(&wrongThenRight);
    const auto shares = ReadLevel(*discovery, &host, error);
    EXPECT_FALSE(error) << error.message();
    EXPECT_EQ(shares.size(), 2u);
    EXPECT_EQ(wrongThenRight.questions.size(), 2u);
    EXPECT_EQ(ReadLevel(*discovery, &host, error).size(), 2u);
    EXPECT_EQ(wrongThenRight.questions.size(), 2u);
    EXPECT_EQ(SmbCredentialStore::ForThisRun().Find("127.0.0.1")->password, SmbTestServer::kSecurePassword);

    // A user who gives up keeps the refusal.
    SmbCredentialStore::ForThisRun().Forget("127.0.0.1");
    ScriptedAsker givesUp({});
    SmbCredentialStore::ForThisRun().SetAsker(&givesUp);
    EXPECT_TRUE(ReadLevel(*discovery, &host, error).empty());
    EXPECT_EQ(error, std::errc::permission_denied);
    EXPECT_EQ(givesUp.questions.size(), 1u);
}
