// Connecting and disconnecting network drives through Pelmora.ini, with the share check
// answered by the test.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "i18n/translation.h"
#include "platform/profile_file.h"
#include "platform/smb_credentials.h"
#include "settings/net_drive_list.h"
#include "tests/support/temp_tree.h"
#include "tools/network/net_drive_connection.h"
#include "tools/network/network_texts.h"

using namespace pelmora;
using pelmora::testing::TempTree;

namespace {

std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

struct RecordingCheck {
    std::error_code answer;
    std::vector<std::string> checked;
    std::vector<std::optional<platform::SmbCredentials>> credentialsSeen;
    ShareCheck Check() {
        return [this](const std::string& share) {
            checked.push_back(share);
            credentialsSeen.push_back(platform::SmbCredentialStore::ForThisRun().Find(ServerOfShare(share)));
            return answer;
        };
    }
};

}  // namespace

TEST(NetDriveConnection, ConnectAndDisconnectRoundTripThroughTheIniFile) {
    TempTree folder;
    const std::string ini = folder / "Pelmora.ini";
    std::ofstream(ini) << "[Pelmora]\r\nDirPath=/tmp\r\n";
    RecordingCheck check;

    NetDriveOutcome first =
        ConnectNetDrive({"  \\\\nas\\docs\\ ", "alice", "HOME", "s3cret"}, check.Check(), ini);
    EXPECT_EQ(first.result, NetDriveResult::Connected);
    EXPECT_EQ(first.share, "//nas/docs");
    EXPECT_TRUE(first.message.empty());
    // The check ran with the credentials given, and the run keeps them for the server.
    ASSERT_EQ(check.checked, (std::vector<std::string>{"//nas/docs"}));
    ASSERT_TRUE(check.credentialsSeen[0]);
    EXPECT_EQ(check.credentialsSeen[0]->password, "s3cret");
    EXPECT_EQ(platform::SmbCredentialStore::ForThisRun().Find("NAS")->user, "alice");

    EXPECT_EQ(ConnectNetDrive({"//backup/photos", "", "", ""}, check.Check(), ini).result, NetDriveResult::Connected);
    // Connecting a share twice lists it once.
    EXPECT_EQ(ConnectNetDrive({"//nas/docs", "", "", ""}, check.Check(), ini).result, NetDriveResult::Connected);
    EXPECT_EQ(ReadNetDrives(ini), (std::vector<std::string>{"//nas/docs", "//backup/photos"}));

    const std::string text = FileText(ini);
    EXPECT_NE(text.find("[Pelmora]\r\nDirPath=/tmp\r\n"), std::string::npos);
    EXPECT_NE(text.find("[NetDrive]\r\nShare1=//nas/docs\r\nShare2=//backup/photos\r\n"), std::string::npos);
    EXPECT_EQ(text.find("s3cret"), std::string::npos);
    EXPECT_EQ(text.find("alice"), std::string::npos);

    // Disconnecting renumbers what stays; an unknown share changes nothing. The server's
    // credentials stay while another of its shares is connected.
    EXPECT_EQ(ConnectNetDrive({"//NAS/music", "", "", ""}, check.Check(), ini).result, NetDriveResult::Connected);
    EXPECT_EQ(DisconnectNetDrive("//NAS/music", ini), "");
    EXPECT_TRUE(platform::SmbCredentialStore::ForThisRun().Find("nas"));
    EXPECT_EQ(DisconnectNetDrive("//nas/docs", ini), "");
    EXPECT_FALSE(platform::SmbCredentialStore::ForThisRun().Find("nas"));
    EXPECT_EQ(DisconnectNetDrive("//nowhere/x", ini), "");
    EXPECT_EQ(ReadNetDrives(ini), (std::vector<std::string>{"//backup/photos"}));
    EXPECT_NE(FileText(ini).find("[NetDrive]\r\nShare1=//backup/photos\r\n"), std::string::npos);
    EXPECT_EQ(FileText(ini).find("Share2"), std::string::npos);
    EXPECT_EQ(DisconnectNetDrive("//backup/photos", ini), "");
    EXPECT_TRUE(ReadNetDrives(ini).empty());
    platform::SmbCredentialStore::ForThisRun().Forget("nas");
}

TEST(NetDriveConnection, AShareThatDoesNotOpenIsNotAddedAndLeavesTheEarlierCredentials) {
    TempTree folder;
    const std::string ini = folder / "Pelmora.ini";
    auto& store = platform::SmbCredentialStore::ForThisRun();
    store.Remember("files", {"bob", "", "right"});
    RecordingCheck check;
    check.answer = std::make_error_code(std::errc::permission_denied);

    const NetDriveOutcome outcome = ConnectNetDrive({"//files/private", "bob", "", "wrong"}, check.Check(), ini);
    EXPECT_EQ(outcome.result, NetDriveResult::CannotOpen);
    EXPECT_EQ(outcome.message, "//files/private" + Translated(network_texts::kConnectFailedSuffix) + "\n" +
                                   std::generic_category().message(EACCES));
    EXPECT_EQ(store.Find("files")->password, "right");
    EXPECT_TRUE(ReadNetDrives(ini).empty());
    EXPECT_FALSE(std::ifstream(ini).good());  // nothing was written

    // Credentials given for a server the run did not know are dropped again.
    ConnectNetDrive({"//fresh/x", "carol", "", "pw"}, check.Check(), ini);
    EXPECT_FALSE(store.Find("fresh"));
    store.Forget("files");
}

TEST(NetDriveConnection, OnlyAServerAndAShareAreAccepted) {
    TempTree folder;
    RecordingCheck check;
    for (const char* text : {"", "   ", "//", "///share", "/server/share", "server/share", "//server/..",
                             "smb://server/share"}) {
        const NetDriveOutcome outcome = ConnectNetDrive({text, "", "", ""}, check.Check(), folder / "Pelmora.ini");
        EXPECT_EQ(outcome.result, NetDriveResult::BadShare) << text;
        EXPECT_EQ(outcome.message, Translated(network_texts::kConnectBadShare)) << text;
        EXPECT_EQ(outcome.fault, NetDriveField::Share) << text;
    }
    // The part that is wrong is named.
    for (const char* text : {"//server", "//server/", "\\\\server\\"}) {
        EXPECT_EQ(ConnectNetDrive({text, "", "", ""}, check.Check(), folder / "Pelmora.ini").message,
                  Translated(network_texts::kConnectNoShareName))
            << text;
    }
    for (const char* text : {"//server/share/folder", "//127.0.0.1/pub/sub dir", "\\\\server\\share\\x"}) {
        EXPECT_EQ(ConnectNetDrive({text, "", "", ""}, check.Check(), folder / "Pelmora.ini").message,
                  Translated(network_texts::kConnectFolderNotShare))
            << text;
    }
    EXPECT_EQ(ShareInputProblem("//me@server/share"), Translated(network_texts::kConnectBadServer));
    EXPECT_EQ(ShareInputProblem("//server/share"), "");
    // A share the settings file could not hold whole.
    EXPECT_FALSE(ShareFromInput("//server/" + std::string(300, 'x')));
    EXPECT_TRUE(check.checked.empty());
}

TEST(NetDriveConnection, AServerPartThatIsNoHostIsRefusedAndNothingReachesTheFile) {
    TempTree folder;
    const std::string ini = folder / "Pelmora.ini";
    RecordingCheck check;
    // The library would log in as alice, pick the port, or decode the address: none of it is
    // checked as the user typed it, and the first would write the password to the file.
    for (const char* text : {"//alice:S3cret@127.0.0.1/guest", "//evil@host/guest", "//127.0.0.1:44517/guest",
                             "//127.0.0.%31/x", "\\\\alice:S3cret@host\\docs", "//my pc/docs", "//[::1%eth0]/x",
                             "//[fe80::1/x", "//-host/x", "//host?x=1/docs"}) {
        const NetDriveOutcome outcome = ConnectNetDrive({text, "", "", ""}, check.Check(), ini);
        EXPECT_EQ(outcome.result, NetDriveResult::BadShare) << text;
    }
    EXPECT_TRUE(check.checked.empty());
    EXPECT_FALSE(std::ifstream(ini).good());

    // Host names, IPv4 and bracketed IPv6 addresses; the share name itself may hold anything
    // but a separator.
    EXPECT_EQ(ShareFromInput("//nas.example-1.local/docs"), "//nas.example-1.local/docs");
    EXPECT_EQ(ShareFromInput("//NAS_2/docs"), "//NAS_2/docs");
    EXPECT_EQ(ShareFromInput("//127.0.0.1/guest"), "//127.0.0.1/guest");
    EXPECT_EQ(ShareFromInput("\\\\[::1]\\guest"), "//[::1]/guest");
    EXPECT_EQ(ShareFromInput("//[fd00::2]/a@b:c%41"), "//[fd00::2]/a@b:c%41");
}

TEST(NetDriveConnection, TheDriveListShowsMountedVolumesThenTheConnectedShares) {
    std::vector<platform::Volume> volumes = {{"/", "", "/dev/sda1", "ext4"},
                                             {"/mnt/office", "", "//office/common", "cifs"}};
    const auto listed = WithNetDrives(volumes, {"//nas/docs", "/mnt/office"});
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_EQ(listed[1].fileSystem, "cifs");
    EXPECT_EQ(listed[2].mountPoint, "//nas/docs");
}

TEST(NetDriveConnection, AFolderIsOnAShareOnlyInsideIt) {
    EXPECT_TRUE(IsOnShare("//nas/docs", "//nas/docs"));
    EXPECT_TRUE(IsOnShare("//NAS/Docs/sub/deeper", "//nas/docs"));
    EXPECT_FALSE(IsOnShare("//nas/docs2", "//nas/docs"));
    EXPECT_FALSE(IsOnShare("//nas", "//nas/docs"));
    EXPECT_FALSE(IsOnShare("/home/docs", "//nas/docs"));
    EXPECT_FALSE(IsOnShare("//nas/docs", ""));
}
