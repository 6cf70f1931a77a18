#include "listing/engine/result_output.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "listing/console/console_job_context.h"
#include "listing/engine/listing_delivery.h"
#include "listing/engine/listing_result.h"
#include "tests/support/fake_job_context.h"
#include "tests/support/temp_tree.h"

namespace pelmora {
namespace {

TEST(ListingResult, JoinsWithCrLf) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(JoinListing(Lines{}), "");
    EXPECT_EQ(JoinListing(Lines{"a"}), "a");
    EXPECT_EQ(JoinListing(Lines{"a", "", "c"}), "a\r\n\r\nc");

    std::vector<FormattedEntry> entries = {{"", "a", true}, {"", "gone", false}, {"", "b", true}};
    std::string out = "head:";
    AppendListing(entries, out);
    EXPECT_EQ(out, "head:a\r\nb");
    out.clear();
    AppendListing({{"", "gone", false}}, out);
    EXPECT_EQ(out, "");
}

// The end all listings share: the switches decide the last line return and the save, the
// progress dialog is gone before the message, and an empty text only clears the clipboard.
TEST(ListingDelivery, EndsEveryListingTheSameWay) {
    testing::FakeJobContext fake;
    fake.progress.open = true;
    ListingOutcome outcome;
    DeliverListing("a\r\nb", 2, {"1", "1", "/x/PX_File"}, "done", fake.context, outcome);
    EXPECT_EQ(fake.clipboard.text, "a\r\nb\r\n");
    EXPECT_EQ(outcome.text(), "a\r\nb\r\n");
    EXPECT_EQ(outcome.count, 2u);
    EXPECT_TRUE(outcome.delivered);
    EXPECT_FALSE(fake.progress.open);
    ASSERT_EQ(fake.saveDialog.requests.size(), 1u);
    EXPECT_EQ(fake.saveDialog.requests[0].proposedName.rfind("PX_File(", 0), 0u);
    EXPECT_EQ(fake.dialogs.messages, (std::vector<std::string>{"done", "保存を中止しました"}));

    testing::FakeJobContext quiet;
    ListingOutcome empty;
    DeliverListing("", 0, {"0", "0", "/x/PX_File"}, {}, quiet.context, empty);
    EXPECT_EQ(quiet.clipboard.calls, std::vector<std::string>{"Clear"});
    EXPECT_FALSE(empty.delivered);
    EXPECT_TRUE(quiet.dialogs.messages.empty());
    EXPECT_TRUE(quiet.saveDialog.requests.empty());
}

// pelmora-list holds its output until the command has ended. The text it holds is the
// outcome's own, not a copy (a big listing would be in memory twice); the held text is what
// reaches standard output, and a clear lets go of it.
TEST(ListingDelivery, HeldStandardOutputSharesTheListingText) {
    ConsoleJobContext job(true, false, false, {}, UnreadableFolderRule::Ask, true);
    ListingOutcome outcome;
    DeliverListing("a\r\nb", 2, {"1", "0", ""}, {}, job.context, outcome);
    EXPECT_EQ(outcome.sharedText.use_count(), 2);
    ::testing::internal::CaptureStdout();
    EXPECT_TRUE(job.clipboard.WriteHeld());
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "a\r\nb\r\n");
    EXPECT_EQ(outcome.sharedText.use_count(), 1);

    DeliverListing("c", 1, {"0", "0", ""}, {}, job.context, outcome);
    job.clipboard.Clear();
    EXPECT_EQ(outcome.sharedText.use_count(), 1);
    job.clipboard.SetText("copied");  // a plain text is still kept until written
    ::testing::internal::CaptureStdout();
    EXPECT_TRUE(job.clipboard.WriteHeld());
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "copied");
}

TEST(ResultOutput, ClipboardReplacedOrOnlyCleared) {
    testing::FakeJobContext fake;
    DeliverToClipboard(fake.context, "a\r\nb");
    EXPECT_EQ(fake.clipboard.text, "a\r\nb");
    EXPECT_EQ(fake.clipboard.calls, (std::vector<std::string>{"Clear", "SetText"}));
    DeliverToClipboard(fake.context, "");
    EXPECT_EQ(fake.clipboard.text, "");
    EXPECT_EQ(fake.clipboard.calls.back(), "Clear");
    EXPECT_EQ(fake.clipboard.calls.size(), 3u);
    EXPECT_EQ(fake.progress.pumps, 2);
}

TEST(ResultOutput, SaveRequestProposesTheNameWithATimeStamp) {
    const LocalDateTime december6{2026, 12, 6, 22, 5, 9};
    EXPECT_EQ(SaveTimeStamp(december6), "1206-220509");
    EXPECT_EQ(SaveTimeStamp(LocalDateTime{2004, 1, 2, 3, 4, 5}), "0102-030405");

    const struct {
        std::string defaultPath, startFolder, proposedName;
    } cases[] = {
        {"/home/u/PX_File", "/home/u", "PX_File(1206-220509)"},
        {"  /home/u/list.csv  ", "/home/u", "list.csv(1206-220509)"},
        {"/PX_File", "/", "PX_File(1206-220509)"},
        {"PX_File", "", "PX_File(1206-220509)"},  // no folder: the dialog starts at home
        {"", "", "(1206-220509)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.defaultPath);
        const SaveRequest request = MakeSaveRequest(c.defaultPath, december6);
        EXPECT_EQ(request.title, "取得したファイル名を保存します");
        EXPECT_EQ(request.filter, "*.txt|*.txt|*.csv|*.csv|*.*|*.*");
        EXPECT_EQ(request.startFolder, c.startFolder);
        EXPECT_EQ(request.proposedName, c.proposedName);
    }
}

TEST(ResultOutput, SavingReplacesTheWholeFile) {
    testing::TempTree folder;
    testing::FakeJobContext fake;
    const std::string target = folder.AddFile("out.txt", std::string(1000, 'x'));
    fake.saveDialog.answer = target;
    const std::string text = "\"名前.txt\"\r\n\"b\"";
    SaveResultToFile(fake.context, (folder / "PX_File"), text);
    EXPECT_EQ(testing::ReadFile(target), text);  // no byte-order mark, nothing of the longer old text
    ASSERT_EQ(fake.saveDialog.requests.size(), 1u);
    EXPECT_EQ(fake.saveDialog.requests[0].startFolder, folder.path());
    EXPECT_EQ(fake.saveDialog.requests[0].proposedName.rfind("PX_File(", 0), 0u);
    EXPECT_EQ(fake.dialogs.messages, (std::vector<std::string>{"保存しました"}));

    const std::string fresh = folder / "new.csv";
    fake.saveDialog.answer = fresh;
    SaveResultToFile(fake.context, "PX_File", "");
    EXPECT_TRUE(std::filesystem::exists(fresh));
    EXPECT_EQ(testing::ReadFile(fresh), "");
}

TEST(ResultOutput, CancelAndFailureAreReported) {
    testing::TempTree folder;
    testing::FakeJobContext fake;
    fake.clipboard.text = "kept";
    SaveResultToFile(fake.context, "/x/PX_File", "text");
    EXPECT_EQ(fake.dialogs.messages.back(), "保存を中止しました");

    fake.saveDialog.answer = folder / "no-such-folder/out.txt";
    SaveResultToFile(fake.context, "/x/PX_File", "text");
    EXPECT_EQ(fake.dialogs.messages.back(), "書き込み中にエラーが発生しました\r\n中止します");
    EXPECT_EQ(fake.clipboard.text, "kept");

    // A folder in the way: the write fails and nothing is lost.
    const std::string blocked = folder / "blocked";
    std::filesystem::create_directory(blocked);
    fake.saveDialog.answer = blocked;
    SaveResultToFile(fake.context, "/x/PX_File", "text");
    EXPECT_EQ(fake.dialogs.messages.back(), "書き込み中にエラーが発生しました\r\n中止します");
    EXPECT_TRUE(std::filesystem::is_directory(blocked));
    EXPECT_EQ(fake.dialogs.messages.size(), 3u);
}

// The chosen name may be a link: the file it leads to takes the result, the link stays.
TEST(ResultOutput, SavingThroughALinkWritesItsFile) {
    testing::TempTree folder;
    testing::FakeJobContext fake;
    const std::string real = folder.AddFile("lists/real.txt", "old");
    const std::string link = folder.AddLink("shortcut.txt", "lists/real.txt");
    fake.saveDialog.answer = link;
    SaveResultToFile(fake.context, "PX_File", "result");
    EXPECT_EQ(fake.dialogs.messages, (std::vector<std::string>{"保存しました"}));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(testing::ReadFile(real), "result");
}

// A read-only file is not the user's to overwrite (the super-user's it is).
TEST(ResultOutput, ReadOnlyFileIsKeptAndTheUserTold) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the super-user";
    testing::TempTree folder;
    testing::FakeJobContext fake;
    const std::string file = folder.AddFile("list.txt", "old");
    ::chmod(file.c_str(), 0444);
    fake.saveDialog.answer = file;
    SaveResultToFile(fake.context, "PX_File", "other");
    EXPECT_EQ(fake.dialogs.messages, (std::vector<std::string>{"書き込み中にエラーが発生しました\r\n中止します"}));
    EXPECT_EQ(testing::ReadFile(file), "old");
}

}  // namespace
}  // namespace pelmora
