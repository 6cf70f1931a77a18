// The viewer's file bytes from a real Samba share on this machine: what a share's file gives
// is what its local twin gives, and a server that dies during a copy gives nothing (soon).
#include <cstdlib>
#include <filesystem>
#include <future>
#include <thread>

#include <gtest/gtest.h>

#include "platform/smb_credentials.h"
#include "platform/smb_file_system.h"
#include "tests/support/polling.h"
#include "tests/support/smb_test_server.h"
#include "tools/choiview/converted_pdf_cache.h"
#include "tools/choiview/viewer_file_bytes.h"

extern "C" const char* __lsan_default_suppressions() { return pelmora::testing::kSmbClientLeakSuppressions; }

namespace pelmora {
namespace {

using testing::SmbTestServer;

class ShareFileBytesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.Started()) << server.Log();
        platform::SmbCredentialStore::ForThisRun().Forget("127.0.0.1");
    }
    void TearDown() override { platform::SmbCredentialStore::ForThisRun().Forget("127.0.0.1"); }

    // Content that tells every 4 KiB block apart, so a block out of place shows.
    static std::string Numbered(std::size_t size) {
        std::string content(size, '\0');
        for (std::size_t at = 0; at < size; ++at) content[at] = static_cast<char>((at / 4096 * 7 + at) & 0xFF);
        return content;
    }

    SmbTestServer server;
};

TEST_F(ShareFileBytesTest, AShareFileReadsAndCopiesAsItsLocalTwin) {
    const std::string content = Numbered(3 * 1024 * 1024 + 17);
    testing::WriteFile(server.GuestFolder() + "/clip.avi", content);
    const std::string shared = SmbTestServer::GuestShare() + "/clip.avi";

    EXPECT_EQ(ReadWholeFile(shared), content);
    EXPECT_FALSE(ReadWholeFile(shared, content.size() - 1));
    EXPECT_FALSE(ReadWholeFile(SmbTestServer::GuestShare() + "/missing.avi"));

    std::unique_ptr<PrivateFileCopy> copy;
    const std::string local = LocalPathOf(shared, copy);
    ASSERT_TRUE(copy);
    EXPECT_EQ(local, copy->Path());
    EXPECT_EQ(std::filesystem::path(local).filename(), "clip.avi");
    EXPECT_EQ(testing::ReadFile(local), content);
    copy.reset();
    EXPECT_FALSE(std::filesystem::exists(local));
}

// A window reads a share's files on a worker and may stop waiting: what the read made then
// goes when it ends, and a local file never waits at all.
TEST_F(ShareFileBytesTest, ReadsWaitedForBesideAndGivenUp) {
    testing::TempTree scratch;
    const char* const oldTemporary = std::getenv("TMPDIR");
    const std::string keptTemporary = oldTemporary ? oldTemporary : "";
    setenv("TMPDIR", scratch.path().c_str(), 1);
    const std::string content = Numbered(1024 * 1024 + 3);
    testing::WriteFile(server.GuestFolder() + "/song.wav", content);
    const std::string shared = SmbTestServer::GuestShare() + "/song.wav";

    std::thread worker;
    int waits = 0;
    // On a thread of its own, as the window does; joined before the answer.
    const FileReadWait beside = [&](std::function<void()> work) {
        ++waits;
        std::thread(std::move(work)).join();
        return true;
    };
    // Given up at once, the work left running alone.
    const FileReadWait givingUp = [&](std::function<void()> work) {
        ++waits;
        worker = std::thread(std::move(work));
        return false;
    };

    EXPECT_EQ(ReadWholeFile(shared, kViewerMemoryReadLimit, beside), content);
    EXPECT_TRUE(CanOpenFile(shared, beside));
    EXPECT_FALSE(CanOpenFile(SmbTestServer::GuestShare() + "/missing.wav", beside));
    std::unique_ptr<PrivateFileCopy> copy;
    const std::string local = LocalPathOf(shared, copy, beside);
    ASSERT_TRUE(copy);
    EXPECT_EQ(testing::ReadFile(local), content);
    copy.reset();
    EXPECT_EQ(waits, 4);

    EXPECT_EQ(LocalPathOf(shared, copy, givingUp), "");
    EXPECT_FALSE(copy);
    worker.join();
    EXPECT_TRUE(std::filesystem::is_empty(scratch.path()));  // the late copy is gone
    EXPECT_FALSE(ReadWholeFile(shared, kViewerMemoryReadLimit, givingUp));
    worker.join();
    EXPECT_FALSE(CanOpenFile(shared, givingUp));
    worker.join();
    EXPECT_EQ(waits, 7);

    // A local file is read at once: its disk does not stall.
    const std::string twin = server.GuestFolder() + "/song.wav";
    EXPECT_EQ(ReadWholeFile(twin, kViewerMemoryReadLimit, givingUp), content);
    EXPECT_TRUE(CanOpenFile(twin, givingUp));
    EXPECT_EQ(LocalPathOf(twin, copy, givingUp), twin);
    EXPECT_EQ(waits, 7);

    if (oldTemporary) setenv("TMPDIR", keptTemporary.c_str(), 1);
    else unsetenv("TMPDIR");
}

TEST_F(ShareFileBytesTest, AShareDocumentsConvertedEntryIsNamedForItsNetworkPath) {
    testing::WriteFile(server.GuestFolder() + "/word.doc", "document");
    const std::string shared = SmbTestServer::GuestShare() + "/word.doc";
    const std::optional<DocumentStamp> stamp = StampOfDocument(shared);
    ASSERT_TRUE(stamp);
    EXPECT_EQ(stamp->path, shared);
    EXPECT_EQ(stamp->size, 8u);
    // The same bytes on the local disk are another document.
    const std::optional<DocumentStamp> local = StampOfDocument(server.GuestFolder() + "/word.doc");
    ASSERT_TRUE(local);
    EXPECT_NE(ConvertedPdfName(*stamp), ConvertedPdfName(*local));
    EXPECT_FALSE(StampOfDocument(SmbTestServer::GuestShare() + "/missing.doc"));
    EXPECT_FALSE(StampOfDocument(SmbTestServer::GuestShare()));
}

TEST_F(ShareFileBytesTest, AServerThatDiesDuringACopyLeavesNoCopyAndNoWait) {
    // The private folders go below a temporary folder of the test's own, where the copy
    // can be seen growing.
    testing::TempTree scratch;
    const char* const oldTemporary = std::getenv("TMPDIR");
    const std::string keptTemporary = oldTemporary ? oldTemporary : "";
    setenv("TMPDIR", scratch.path().c_str(), 1);
    setenv("PELMORA_SMB_TIMEOUT", "2", 1);
    testing::WriteFile(server.GuestFolder() + "/film.avi", Numbered(192 * 1024 * 1024));

    auto copying = std::async(std::launch::async, [] {
        return PrivateFileCopy::Make(SmbTestServer::GuestShare() + "/film.avi") != nullptr;
    });
    const auto copyHasBegun = [&] {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(scratch.path()))
            if (entry.is_regular_file() && entry.file_size() > 0) return true;
        return false;
    };
    ASSERT_TRUE(testing::WaitUntil(copyHasBegun, std::chrono::seconds(20)));
    const auto killed = std::chrono::steady_clock::now();
    server.Kill();
    ASSERT_EQ(copying.wait_for(std::chrono::seconds(20)), std::future_status::ready);
    EXPECT_FALSE(copying.get());
    EXPECT_LT(std::chrono::steady_clock::now() - killed, std::chrono::seconds(10));
    EXPECT_TRUE(std::filesystem::is_empty(scratch.path()));  // the partial copy is gone
    EXPECT_FALSE(ReadWholeFile(SmbTestServer::GuestShare() + "/film.avi"));

    unsetenv("PELMORA_SMB_TIMEOUT");
    if (oldTemporary) setenv("TMPDIR", keptTemporary.c_str(), 1);
    else unsetenv("TMPDIR");
}

}  // namespace
}  // namespace pelmora
