// pelmora-list on a share of a real Samba server, against the same command on the shared
// folder itself: apart from the path prefix the text is the same.

#include <sys/stat.h>
#include <sys/wait.h>
#include <zip.h>

#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/smb_test_server.h"
#include "tests/support/temp_tree.h"

namespace {

using pelmora::testing::ShellQuote;
using pelmora::testing::SmbTestServer;
using pelmora::testing::TempTree;

struct ListerRun {
    int status = -1;
    std::string out;
    std::string err;
};

// 2004-05-06 07:08:09 in Tokyo.
constexpr time_t kStamp = 1083794889;

void SetTimes(const std::string& path, time_t access, time_t write) {
    const timespec times[2] = {{access, 0}, {write, 0}};
    utimensat(AT_FDCWD, path.c_str(), times, 0);
}

bool WriteZip(const std::string& archive) {
    int error = 0;
    zip_t* writer = zip_open(archive.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (writer == nullptr) return false;
    for (const char* name : {"docs/readme.txt", "data.bin"})
        zip_file_add(writer, name, zip_source_buffer(writer, "abc", 3, 0), ZIP_FL_ENC_UTF_8);
    return zip_close(writer) == 0;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

class SmbListingTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server = new SmbTestServer; }
    static void TearDownTestSuite() {
        delete server;
        server = nullptr;
    }

    // The creation time is left out: Samba reports its own (the earliest of the file's
    // times) where the local disk has the birth time.
    void SetUp() override {
        ASSERT_TRUE(server->Started()) << server->Log();
        ini = scratch.AddFile(
            "Pelmora.ini",
            "[Pelmora]\r\nKakomi=\"\r\nKugiri=,\r\nFileHiddenFile=1\r\nFileSystemFile=1\r\n"
            "FileName=1\r\nFileFullPath=1\r\nFileSize=1\r\nFileDateTime=1\r\nFileMakeDateTime=0\r\n"
            "FileAccessDateTime=1\r\nFileAttrib=1\r\n"
            "SFolderName=1\r\nSFolderFullPath=1\r\nSFolderSize=1\r\nSFolderDateTime=1\r\n"
            "SFolderMakeDateTime=0\r\nSFolderAccessDateTime=1\r\nSFolderAttrib=1\r\n"
            "DropName=1\r\nDropFullPath=1\r\nDropSize=1\r\nDropDateTime=1\r\nDropAttrib=1\r\n"
            "[FolderView]\r\nFol_FullPath1=1\r\nFol_FullPath2=1\r\nFol_FullPath3=1\r\nFol_RootGet3=1\r\n"
            "Fol_FolderMark3=1\r\n[Tree]\r\nTreeFile=1\r\n");
        suppressions = scratch.AddFile("lsan.supp", pelmora::testing::kSmbClientLeakSuppressions);
        const char* threadOptions = std::getenv("TSAN_OPTIONS");
        threadSanitizerOptions = std::string(threadOptions != nullptr ? threadOptions : "") + " suppressions=" +
                                 scratch.AddFile("tsan.supp", pelmora::testing::kSmbClientThreadSuppressions);
    }

    // environment: "NAME=value " words put before the program.
    ListerRun Run(const std::vector<std::string>& args, const std::string& environment = {}) const {
        // (The suppressions matter only to the sanitizer builds.)
        std::string command = environment + "TZ=Asia/Tokyo LANGUAGE=en LSAN_OPTIONS=suppressions=" + ShellQuote(suppressions) +
                              " TSAN_OPTIONS=" + ShellQuote(threadSanitizerOptions) + " " +
                              ShellQuote(PELMORA_LIST_PROGRAM) + " --ini " + ShellQuote(ini) + " --yes";
        for (const std::string& arg : args) command += " " + ShellQuote(arg);
        command += " </dev/null >" + ShellQuote(scratch / "out") + " 2>" + ShellQuote(scratch / "err");
        ListerRun run;
        const int raw = std::system(command.c_str());
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        run.out = scratch.Read("out");
        run.err = scratch.Read("err");
        return run;
    }

    static SmbTestServer* server;
    TempTree scratch;
    std::string ini;
    std::string suppressions;
    std::string threadSanitizerOptions;
};

SmbTestServer* SmbListingTest::server = nullptr;

TEST_F(SmbListingTest, EveryListingOfAShareMatchesTheListingOfItsFolder) {
    const std::string local = server->GuestFolder();
    const std::string share = SmbTestServer::GuestShare();
    // Names a share can carry as they are (Windows forbids ? * : and the like).
    const std::vector<std::pair<std::string, std::string>> files = {
        {"a b.txt", "1"},         {"日本語.txt", "22"},  {"100%.csv", "333"},      {"x#y;z.txt", "4444"},
        {".hidden", "5"},         {"ro.txt", "66"},     {"sub/deep/z.csv", "777"}, {"sub/Zeta.TXT", "8888"},
        {"empty folder/.keep", ""},
    };
    const time_t recent = time(nullptr) - 3600;
    for (const auto& [name, content] : files) {
        const std::string path = local + "/" + name;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        pelmora::testing::WriteFile(path, content);
        // Read access later than the write and recent: reading the files leaves it alone.
        SetTimes(path, recent, kStamp);
    }
    chmod((local + "/ro.txt").c_str(), 0444);
    ASSERT_TRUE(WriteZip(local + "/pack.zip"));
    // A picture for ChoiView's kind (the bytes are not read for it).
    pelmora::testing::WriteFile(local + "/pic.png", "not really");
    SetTimes(local + "/pic.png", recent, kStamp);
    SetTimes(local + "/pack.zip", recent, kStamp);

    struct Case {
        std::vector<std::string> args;  // "@" stands for the folder
    };
    const std::vector<Case> cases = {
        {{"files", "@"}},
        {{"files", "@", "a b.txt", "ro.txt", "sub"}},
        {{"recursive", "@"}},
        {{"folder", "@/sub"}},
        {{"subfolders", "@"}},
        {{"all-folders", "@"}},
        {{"drop", "@/a b.txt", "@/sub"}},
        {{"tree", "@"}},
        {{"archive", "@/pack.zip"}},
        {{"hex", "@/日本語.txt"}},
        {{"view-kind", "@/pack.zip"}},
        {{"view-kind", "@/pic.png"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> onShare, onDisk;
        for (const std::string& arg : c.args) {
            onShare.push_back(ReplaceAll(arg, "@", share));
            onDisk.push_back(ReplaceAll(arg, "@", local));
        }
        const ListerRun fromShare = Run(onShare);
        const ListerRun fromDisk = Run(onDisk);
        const std::string label = c.args[0];
        EXPECT_EQ(fromShare.status, 0) << label << "\n" << fromShare.err << fromShare.out;
        EXPECT_EQ(fromDisk.status, 0) << label << "\n" << fromDisk.err;
        EXPECT_FALSE(fromDisk.out.empty()) << label;
        std::string expected = ReplaceAll(fromDisk.out, local, share);
        std::string got = fromShare.out;
        if (label == "tree") {
            // The two header lines name the volume: the share there, the local disk here.
            const auto bodyOf = [](const std::string& text) {
                std::size_t at = 0;
                for (int line = 0; line < 2 && at != std::string::npos; ++line) at = text.find('\n', at + 1);
                return at == std::string::npos ? text : text.substr(at);
            };
            expected = bodyOf(expected);
            got = bodyOf(got);
        }
        EXPECT_EQ(got, expected) << label;
    }
}

TEST_F(SmbListingTest, APasswordShareTakesTheAuthenticationFileAndRefusesAWrongPassword) {
    pelmora::testing::WriteFile(server->SecureFolder() + "/secret.txt", "s");
    const auto authFile = [&](const std::string& name, const std::string& password, mode_t mode) {
        const std::string path = scratch / name;
        pelmora::testing::WriteFile(path, "username = " + server->User() + "\npassword = " + password +
                                              "\ndomain = WORKGROUP\n");
        chmod(path.c_str(), mode);
        return path;
    };
    const std::string right = authFile("right", SmbTestServer::kSecurePassword, 0600);
    const std::string wrong = authFile("wrong", "not-the-password", 0600);
    const std::string open = authFile("open", SmbTestServer::kSecurePassword, 0644);
    const std::string groupWritable = authFile("group-writable", SmbTestServer::kSecurePassword, 0620);
    const std::string share = SmbTestServer::SecureShare();

    // The guest alone is refused.
    const ListerRun guest = Run({"files", share});
    EXPECT_EQ(guest.status, 1);
    EXPECT_TRUE(guest.out.empty());

    const ListerRun withRight = Run({"--authentication-file", right, "files", share});
    EXPECT_EQ(withRight.status, 0) << withRight.err;
    EXPECT_NE(withRight.out.find("//127.0.0.1/secure/secret.txt"), std::string::npos) << withRight.out;

    const ListerRun withWrong = Run({"--authentication-file", wrong, "files", share});
    EXPECT_EQ(withWrong.status, 1);
    EXPECT_TRUE(withWrong.out.empty());

    // A file others may read is refused before anything is listed, and says why.
    const ListerRun refused = Run({"--authentication-file", open, "files", share});
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("chmod 600"), std::string::npos) << refused.err;
    EXPECT_EQ(refused.err.find(SmbTestServer::kSecurePassword), std::string::npos);
    // So is one that others may change: it could name a server and user of their choice.
    const ListerRun changeable = Run({"--authentication-file", groupWritable, "files", share});
    EXPECT_EQ(changeable.status, 2);
    EXPECT_TRUE(changeable.out.empty());
}

TEST_F(SmbListingTest, AclViewSaysAShareIsNoNtfsDrive) {
    pelmora::testing::WriteFile(server->GuestFolder() + "/a.txt", "a");
    const ListerRun run = Run({"acl", SmbTestServer::GuestShare() + "/a.txt"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("The volume keeps no permissions: //127.0.0.1/guest/a.txt"), std::string::npos) << run.err;
}

// Each way a share can fail names its own reason on standard error, so a script (or the
// user) can tell a wrong password from a missing share or a server that is not there.
TEST_F(SmbListingTest, EachShareFailureNamesItsReason) {
    std::filesystem::create_directories(server->GuestFolder() + "/flat");
    const std::string wrong = scratch / "wrong";
    pelmora::testing::WriteFile(wrong, "username = " + server->User() + "\npassword = not-it\n");
    chmod(wrong.c_str(), 0600);
    // The unknown server is looked up only in the local name table (no name query leaves
    // this machine): the client library reads its settings from $HOME/.smb/smb.conf.
    const std::string home = scratch.AddFolder("home");
    scratch.AddFile("home/.smb/smb.conf", "[global]\n  name resolve order = lmhosts\n");
    const std::string localNamesOnly = "HOME=" + ShellQuote(home) + " ";
    const std::string closedPort = "PELMORA_SMB_PORT=" + std::to_string(SmbTestServer::UnusedPort()) + " ";

    struct Case {
        std::vector<std::string> args;
        std::string environment;
        std::string reason;  // what follows "cannot open PATH: "
    };
    const Case cases[] = {
        {{"--authentication-file", wrong, "files", "//127.0.0.1/secure"}, "", "access denied"},
        {{"files", "//127.0.0.1/secure"}, "", "access denied"},  // the guest is refused
        {{"files", "//127.0.0.1/nosuch"}, "", "no such share"},
        {{"recursive", "//127.0.0.1/nosuch/flat"}, "", "no such share"},
        {{"folder", "//127.0.0.1/guest/missing"}, "", "no such file or folder"},
        {{"files", "//127.0.0.1/guest/flat"}, closedPort, "connection refused"},
        {{"tree", "//nohost.invalid/guest/flat"}, localNamesOnly, "host not found"},
    };
    for (const Case& c : cases) {
        const ListerRun run = Run(c.args, c.environment);
        const std::string& path = c.args.back();
        EXPECT_EQ(run.status, 1) << path;
        EXPECT_EQ(run.out, "") << path;
        EXPECT_NE(run.err.find("pelmora-list: cannot open " + path + ": " + c.reason + "\n"), std::string::npos)
            << path << ": " << run.err;
    }
    // A file on a share that is not there says so too.
    const ListerRun hex = Run({"hex", "//127.0.0.1/nosuch/a.txt"});
    EXPECT_EQ(hex.status, 1);
    EXPECT_NE(hex.err.find("//127.0.0.1/nosuch/a.txt: no such share"), std::string::npos) << hex.err;
}

// "\\server\share\folder" is the same path as "//server/share/folder" to every command.
TEST_F(SmbListingTest, TheBackslashSpellingOfAShareIsTaken) {
    pelmora::testing::WriteFile(server->GuestFolder() + "/bs/x.txt", "x");
    const ListerRun slashes = Run({"files", SmbTestServer::GuestShare() + "/bs"});
    const ListerRun backslashes = Run({"files", "\\\\127.0.0.1\\guest\\bs"});
    EXPECT_EQ(backslashes.status, 0) << backslashes.err;
    EXPECT_FALSE(slashes.out.empty());
    EXPECT_EQ(backslashes.out, slashes.out);
    const ListerRun hex = Run({"hex", "\\\\127.0.0.1\\guest\\bs\\x.txt", "1"});
    EXPECT_EQ(hex.status, 0) << hex.err;
    EXPECT_NE(hex.out.find("78"), std::string::npos) << hex.out;
}

}  // namespace
