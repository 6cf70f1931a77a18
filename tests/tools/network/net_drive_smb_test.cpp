// Network drives against a real Samba server on this machine: what disconnecting leaves.

#include <gtest/gtest.h>

#include "i18n/translation.h"
#include "platform/smb_credentials.h"
#include "settings/net_drive_list.h"
#include "tests/support/scripted_credential_asker.h"
#include "tests/support/smb_test_server.h"
#include "tests/support/temp_tree.h"
#include "tools/network/net_drive_connection.h"
#include "tools/network/network_texts.h"

extern "C" const char* __lsan_default_suppressions() { return pelmora::testing::kSmbClientLeakSuppressions; }

namespace pelmora {
namespace {

using platform::SmbCredentialStore;
using testing::SmbTestServer;

class NetDriveSmbTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.Started()) << server.Log(); }
    void TearDown() override {
        SmbCredentialStore::ForThisRun().SetAsker(nullptr);
        SmbCredentialStore::ForThisRun().Forget("127.0.0.1");
    }
    SmbTestServer server;
    testing::TempTree folder;
    std::string ini = folder / "Pelmora.ini";
};

TEST_F(NetDriveSmbTest, AMissingShareIsNamedAsMissingAndAWrongPasswordPointsAtThePassword) {
    for (const std::string share : {"//127.0.0.1/p#b", "//127.0.0.1/no share"}) {
        const NetDriveOutcome outcome = ConnectNetDrive({share, "", "", ""}, OpenShareForCheck, ini);
        EXPECT_EQ(outcome.result, NetDriveResult::CannotOpen) << share;
        EXPECT_EQ(outcome.message, share + Translated(network_texts::kConnectNoSuchShareSuffix));
        EXPECT_EQ(outcome.fault, NetDriveField::Share);
    }
    const NetDriveOutcome wrong =
        ConnectNetDrive({SmbTestServer::SecureShare(), server.User(), "", "wrong"}, OpenShareForCheck, ini);
    EXPECT_EQ(wrong.result, NetDriveResult::CannotOpen);
    EXPECT_EQ(wrong.fault, NetDriveField::Password);
    EXPECT_TRUE(ReadNetDrives(ini).empty());
}

TEST_F(NetDriveSmbTest, DisconnectingTheLastShareOfAServerLogsOffSoThatItsShareAsksAgain) {
    const NetDriveRequest secure{SmbTestServer::SecureShare(), server.User(), "", SmbTestServer::kSecurePassword};
    ASSERT_EQ(ConnectNetDrive(secure, OpenShareForCheck, ini).result, NetDriveResult::Connected);
    ASSERT_EQ(ConnectNetDrive({SmbTestServer::GuestShare(), "", "", ""}, OpenShareForCheck, ini).result,
              NetDriveResult::Connected);

    // Nobody may be asked from here on: a share that opens does so with what the run kept.
    testing::ScriptedAsker nobody({std::nullopt});
    SmbCredentialStore::ForThisRun().SetAsker(&nobody);

    // The guest share goes; the secure one of the same server still uses the credentials.
    EXPECT_EQ(DisconnectNetDrive(SmbTestServer::GuestShare(), ini), "");
    EXPECT_FALSE(OpenShareForCheck(SmbTestServer::SecureShare()));
    EXPECT_TRUE(nobody.questions.empty());

    // The last share of the server goes: neither the credentials nor a connection made with
    // them opens it any more.
    EXPECT_EQ(DisconnectNetDrive(SmbTestServer::SecureShare(), ini), "");
    EXPECT_TRUE(ReadNetDrives(ini).empty());
    EXPECT_FALSE(SmbCredentialStore::ForThisRun().Find("127.0.0.1"));
    EXPECT_EQ(OpenShareForCheck(SmbTestServer::SecureShare()), std::errc::permission_denied);
    EXPECT_EQ(nobody.questions, (std::vector<std::string>{"127.0.0.1/secure"}));
}

}  // namespace
}  // namespace pelmora
