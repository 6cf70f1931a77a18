// The SMB file system against a real Samba server on this machine: what a share shows, the
// credential questions, and a server that dies or stops answering during a walk.

#include "i18n/translation.h"
#include "platform/smb_file_system.h"

#include <signal.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <thread>

#include <gtest/gtest.h>

#include "listing/engine/listing_messages.h"
#include "listing/engine/recursive_files.h"
#include "platform/file_system.h"
#include "platform/smb_credentials.h"
#include "platform/smb_failure.h"
#include "tests/listing/engine/collector_settings.h"
#include "tests/support/deadlock_watchdog.h"
#include "tests/support/fake_job_context.h"
#include "tests/support/scripted_credential_asker.h"
#include "tests/support/smb_test_server.h"
#include "tools/hexview/hex_view_labels.h"

extern "C" const char* __lsan_default_suppressions() { return pelmora::testing::kSmbClientLeakSuppressions; }

namespace pelmora {
namespace {

using platform::FileSystemFor;
using platform::SmbCredentials;
using platform::SmbCredentialStore;
using testing::ScriptedAsker;
using testing::SmbTestServer;

class SmbFileSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.Started()) << server.Log();
        SmbCredentialStore::ForThisRun().Forget("127.0.0.1");
    }
    void TearDown() override {
        SmbCredentialStore::ForThisRun().SetAsker(nullptr);
        SmbCredentialStore::ForThisRun().Forget("127.0.0.1");
    }
    SmbTestServer server;
};

TEST_F(SmbFileSystemTest, AShareShowsItsFilesFactsAndBytes) {
    testing::WriteFile(server.GuestFolder() + "/data.bin", std::string("\x00\x01zz", 4));
    std::filesystem::create_directory(server.GuestFolder() + "/Sub Folder");
    testing::WriteFile(server.GuestFolder() + "/.dot", "h");
    platform::FileSystem& smb = FileSystemFor("//127.0.0.1/guest");
    ASSERT_EQ(&smb, &platform::SmbFileSystem());

    std::error_code error;
    auto folder = smb.OpenFolderAt("//127.0.0.1/guest/", error);
    ASSERT_TRUE(folder) << error.message();
    std::map<std::string, platform::EntryKind> seen;
    platform::FolderEntry entry;
    while (folder->Next(entry, error)) seen[std::string(entry.name)] = entry.kind;
    EXPECT_FALSE(error);
    EXPECT_EQ(seen, (std::map<std::string, platform::EntryKind>{{".dot", platform::EntryKind::File},
                                                                 {"Sub Folder", platform::EntryKind::Folder},
                                                                 {"data.bin", platform::EntryKind::File}}));
    const auto facts = folder->EntryFacts("data.bin", true);
    ASSERT_TRUE(facts);
    EXPECT_EQ(facts->size, 4u);
    const auto local = platform::LocalFileSystem().Facts(server.GuestFolder() + "/data.bin");
    EXPECT_EQ(facts->lastWrite.seconds, local->lastWrite.seconds);
    EXPECT_EQ(folder->EntryFacts(".dot", true)->dosAttributes, platform::kDosHidden);
    EXPECT_EQ(folder->ResolveKind("Sub Folder"), platform::EntryKind::Folder);
    platform::FolderIdentity first, again;
    ASSERT_TRUE(folder->Identity(first, error));
    ASSERT_TRUE(smb.OpenFolderAt("//127.0.0.1/guest", error)->Identity(again, error));
    EXPECT_EQ(first, again);
    EXPECT_TRUE(smb.OpenFolderAt("//127.0.0.1/guest", error)->OpenInside("Sub Folder", error));

    // By path: the same facts, the bytes, and the refusals of a folder and a missing file.
    EXPECT_EQ(smb.Facts("//127.0.0.1/guest/data.bin")->size, 4u);
    EXPECT_TRUE(smb.Facts("//127.0.0.1/guest")->isFolder);
    EXPECT_FALSE(smb.Facts("//127.0.0.1/guest/missing"));
    EXPECT_TRUE(platform::FolderExists("//127.0.0.1/guest/Sub Folder"));
    EXPECT_TRUE(platform::FileExists("//127.0.0.1/guest/data.bin"));
    auto file = smb.OpenFileForReading("//127.0.0.1/guest/data.bin", error);
    ASSERT_TRUE(file) << error.message();
    char bytes[8] = {};
    std::size_t got = 0;
    ASSERT_TRUE(file->SeekTo(2));
    ASSERT_TRUE(file->Read(bytes, sizeof bytes, got));
    EXPECT_EQ(std::string(bytes, got), "zz");
    EXPECT_FALSE(smb.OpenFileForReading("//127.0.0.1/guest/Sub Folder", error));
    EXPECT_EQ(error, std::errc::is_a_directory);
    EXPECT_FALSE(smb.OpenFolderAt("//127.0.0.1/nosuchshare", error));
    EXPECT_TRUE(error);
    EXPECT_EQ(smb.IdentifyVolume("//127.0.0.1/guest/x").label, "//127.0.0.1/guest");
    // HexView's labels read the size and time from the server too.
    const HexViewLabelTexts labels = HexViewLabels("//127.0.0.1/guest/data.bin");
    EXPECT_NE(labels.size, HexViewLabels("").size);
    EXPECT_NE(labels.update, HexViewLabels("").update);
}

// A missing share is told from a missing folder, and still counts as "no such file" for
// code that only asks that; a missing folder on a share that is there stays a plain one.
TEST_F(SmbFileSystemTest, AMissingShareIsToldFromAMissingFolder) {
    platform::FileSystem& smb = platform::SmbFileSystem();
    const auto errorOpening = [&](const std::string& path, bool asFolder) {
        std::error_code error;
        if (asFolder) {
            EXPECT_EQ(smb.OpenFolderAt(path, error), nullptr) << path;
        } else {
            EXPECT_EQ(smb.OpenFileForReading(path, error), nullptr) << path;
        }
        return error;
    };
    const std::error_code noShare = platform::MakeSmbError(platform::SmbFailure::NoSuchShare);
    for (const std::string path : {"//127.0.0.1/nosuch", "//127.0.0.1/nosuch/deeper"}) {
        const std::error_code error = errorOpening(path, true);
        EXPECT_EQ(error, noShare) << path << ": " << error.message();
        EXPECT_TRUE(error == std::errc::no_such_file_or_directory) << path;
        EXPECT_EQ(error.message(), "no such share");
    }
    EXPECT_EQ(errorOpening("//127.0.0.1/nosuch/file.txt", false), noShare);
    const std::error_code missingFolder = errorOpening("//127.0.0.1/guest/missing", true);
    EXPECT_EQ(missingFolder, std::make_error_code(std::errc::no_such_file_or_directory)) << missingFolder.message();
    EXPECT_EQ(errorOpening("//127.0.0.1/guest/missing.txt", false),
              std::make_error_code(std::errc::no_such_file_or_directory));
}

// Answers as a window's dialog does: while the question is open, other work of the same
// thread runs, here another request to the share that asked.
class AskerThatRequestsMeanwhile final : public platform::SmbCredentialAsker {
public:
    explicit AskerThatRequestsMeanwhile(SmbCredentials answer) : answer_(std::move(answer)) {}
    std::optional<SmbCredentials> Ask(const std::string&, const std::string&, bool) override {
        ++questions;
        meanwhileOpened = static_cast<bool>(platform::SmbFileSystem().OpenFolderAt("//127.0.0.1/secure", meanwhile));
        return answer_;
    }
    int questions = 0;
    bool meanwhileOpened = true;
    std::error_code meanwhile;

private:
    SmbCredentials answer_;
};

TEST_F(SmbFileSystemTest, ARequestWhileItsOwnThreadAsksIsRefusedInsteadOfWaitingForever) {
    // Placed before the tests that leave the server refused for a while.
    testing::DeadlockWatchdog watchdog(std::chrono::seconds(30));
    AskerThatRequestsMeanwhile asker({server.User(), "", SmbTestServer::kSecurePassword});
    SmbCredentialStore::ForThisRun().SetAsker(&asker);
    std::error_code error;
    EXPECT_TRUE(platform::SmbFileSystem().OpenFolderAt("//127.0.0.1/secure", error)) << error.message();
    EXPECT_EQ(asker.questions, 1);
    EXPECT_FALSE(asker.meanwhileOpened);
    EXPECT_EQ(asker.meanwhile, std::errc::permission_denied);
    // The refusal of the inner request holds nothing back: the next request uses the answer.
    EXPECT_TRUE(platform::SmbFileSystem().OpenFolderAt("//127.0.0.1/secure", error)) << error.message();
    EXPECT_EQ(asker.questions, 1);
}

TEST_F(SmbFileSystemTest, AGuestRefusalAsksAndAWrongPasswordAsksOnceMore) {
    testing::WriteFile(server.SecureFolder() + "/s.txt", "s");
    const SmbCredentials wrong{server.User(), "", "wrong"};
    const SmbCredentials right{server.User(), "", SmbTestServer::kSecurePassword};
    std::error_code error;

    // No one to ask: refused.
    EXPECT_FALSE(platform::SmbFileSystem().OpenFolderAt("//127.0.0.1/secure", error));
    EXPECT_EQ(error, std::errc::permission_denied);

    ScriptedAsker wrongThenRight({wrong, right});
    SmbCredentialStore::ForThisRun().SetAsker(&wrongThenRight);
    EXPECT_TRUE(platform::SmbFileSystem().OpenFolderAt("//127.0.0.1/secure", error)) << error.message();
    EXPECT_EQ(wrongThenRight.questions,
              (std::vector<std::string>{"127.0.0.1/secure", "127.0.0.1/secure again"}));
    // Kept for the run: no further question.
    EXPECT_TRUE(platform::SmbFileSystem().Facts("//127.0.0.1/secure/s.txt"));
    EXPECT_EQ(wrongThenRight.questions.size(), 2u);
    EXPECT_EQ(SmbCredentialStore::ForThisRun().Find("127.0.0.1")->password, SmbTestServer::kSecurePassword);

    SmbCredentialStore::ForThisRun().Forget("127.0.0.1");
    ScriptedAsker wrongTwice({wrong, wrong, right});
    SmbCredentialStore::ForThisRun().SetAsker(&wrongTwice);
    EXPECT_FALSE(platform::SmbFileSystem().OpenFolderAt("//127.0.0.1/secure", error));
    EXPECT_EQ(error, std::errc::permission_denied);
    EXPECT_EQ(wrongTwice.questions.size(), 2u);
    EXPECT_FALSE(SmbCredentialStore::ForThisRun().Find("127.0.0.1"));
}

TEST_F(SmbFileSystemTest, SeveralThreadsReadAShareAtOnceAsOneThreadDoes) {
    // This machine's library takes the thread set-up: the walk of a share uses threads.
    EXPECT_GT(platform::SmbFileSystem().PreferredWalkThreads(), 1u);
    for (int top = 0; top < 12; ++top) {
        for (int sub = 0; sub < 4; ++sub) {
            const std::string folder = server.GuestFolder() + "/t" + std::to_string(top) + "/s" + std::to_string(sub);
            std::filesystem::create_directories(folder);
            for (int file = 0; file < 3; ++file)
                testing::WriteFile(folder + "/f" + std::to_string(file) + ".txt", std::string(top + sub + file, 'x'));
        }
    }
    const auto listShare = [](const char* threads) {
        setenv("PELMORA_WALK_THREADS", threads, 1);
        testing::FakeJobContext fake;
        fake.dialogs.answer = true;
        BrowserState state;
        state.folder = "//127.0.0.1/guest";
        state.pattern = "*.*";
        ListFilesRecursively(state, testing::PlainListingSettings(), fake.context);
        unsetenv("PELMORA_WALK_THREADS");
        return fake.clipboard.text;
    };
    const std::string oneThread = listShare("1");
    // One name a line, the last without its line end.
    ASSERT_EQ(std::count(oneThread.begin(), oneThread.end(), '\n') + 1, 12 * 4 * 3) << oneThread;
    for (int round = 0; round < 5; ++round) EXPECT_EQ(listShare("6"), oneThread) << "round " << round;

    // Requests from threads of their own, each through a context of its own, meet new
    // connections and warm ones at once.
    std::vector<std::thread> readers;
    std::vector<int> wrong(6, 0);
    for (int reader = 0; reader < 6; ++reader) {
        readers.emplace_back([&, reader] {
            for (int round = 0; round < 20; ++round) {
                const std::string path = "//127.0.0.1/guest/t" + std::to_string((reader + round) % 12) + "/s1";
                std::error_code error;
                auto folder = platform::SmbFileSystem().OpenFolderAt(path, error);
                int files = 0;
                platform::FolderEntry entry;
                while (folder && folder->Next(entry, error)) ++files;
                if (files != 3) ++wrong[reader];
            }
        });
    }
    for (std::thread& reader : readers) reader.join();
    EXPECT_EQ(wrong, std::vector<int>(6, 0));
}

// Kills the server once the walk has read its start folder.
class KillingFileSystem final : public platform::FileSystem {
public:
    explicit KillingFileSystem(SmbTestServer& server) : server_(server) {}
    std::unique_ptr<platform::OpenFolder> OpenFolderAt(const std::string& path, std::error_code& error) override {
        auto folder = smb_.OpenFolderAt(path, error);
        server_.Kill();
        return folder;
    }
    std::optional<platform::FileFacts> Facts(const std::string& path) override { return smb_.Facts(path); }
    std::uint32_t DosAttributes(const std::string& path, const platform::FileFacts& facts) override {
        return smb_.DosAttributes(path, facts);
    }
    std::unique_ptr<platform::ReadableFile> OpenFileForReading(const std::string& path, std::error_code& e) override {
        return smb_.OpenFileForReading(path, e);
    }
    platform::VolumeIdentity IdentifyVolume(const std::string& path) override { return smb_.IdentifyVolume(path); }

private:
    SmbTestServer& server_;
    platform::FileSystem& smb_ = platform::SmbFileSystem();
};

TEST_F(SmbFileSystemTest, AServerKilledDuringAWalkEndsInTheUnreadableFolderQuestion) {
    for (const char* name : {"one/a.txt", "two/b.txt", "three/c.txt"}) {
        std::filesystem::create_directories(std::filesystem::path(server.GuestFolder() + "/" + name).parent_path());
        testing::WriteFile(server.GuestFolder() + "/" + name, "x");
    }
    testing::FakeJobContext fake;
    KillingFileSystem killing(server);
    fake.context.fileSystem = &killing;
    fake.dialogs.answer = true;  // yes to the search, then yes: stop at the first unreadable folder
    BrowserState state;
    state.folder = "//127.0.0.1/guest";
    state.pattern = "*.*";
    const auto started = std::chrono::steady_clock::now();
    const ListingOutcome outcome = ListFilesRecursively(state, testing::PlainListingSettings(), fake.context);
    EXPECT_LT(std::chrono::steady_clock::now() - started, platform::SmbRequestTimeout());
    EXPECT_TRUE(outcome.cancelled || outcome.failed);
    ASSERT_EQ(fake.dialogs.questions.size(), 2u);
    EXPECT_EQ(fake.dialogs.questions[1], "//127.0.0.1/guest/one" + Translated(kFolderReadFailedQuestion));
}

TEST_F(SmbFileSystemTest, AServerThatStopsAnsweringFailsWithinTheTimeOut) {
    setenv("PELMORA_SMB_TIMEOUT", "2", 1);
    std::error_code error;
    ASSERT_TRUE(platform::SmbFileSystem().OpenFolderAt("//127.0.0.1/guest", error)) << error.message();
    server.Freeze();
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(platform::SmbFileSystem().OpenFolderAt("//127.0.0.1/guest", error));
    EXPECT_TRUE(error);
    // A listing is a few requests (the connection check, the reconnection, the listing).
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(4 * 2));
    // The next request to the same server does not wait out another time-out.
    const auto second = std::chrono::steady_clock::now();
    EXPECT_FALSE(platform::SmbFileSystem().Facts("//127.0.0.1/guest/a"));
    EXPECT_LT(std::chrono::steady_clock::now() - second, std::chrono::seconds(1));
    unsetenv("PELMORA_SMB_TIMEOUT");
}

}  // namespace
}  // namespace pelmora
