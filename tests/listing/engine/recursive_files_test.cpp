#include "listing/engine/recursive_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "collector_settings.h"
#include "i18n/translation.h"
#include "tests/support/fake_file_system.h"
#include "listing/engine/listing_messages.h"

namespace pelmora {
namespace {

using Texts = std::vector<std::string>;

// Sets an environment variable for one scope, putting back what was there.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        setenv(name, value, 1);
    }
    ~ScopedEnvironment() {
        if (old_) {
            setenv(name_, old_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

class RecursiveFilesTest : public testing::CollectorTest {
protected:
    RecursiveFilesTest() {
        tree.AddFile("a2.txt");
        tree.AddFile("a1.log");
        tree.AddFile("C/c1.txt");
        tree.AddFile("B/b1.txt");
        tree.AddFile("B/.hidden.txt");
        tree.AddFile(".secret/s.txt");
        state.folder = tree.path();
        state.pattern = "*.*";
        fake.dialogs.answer = true;
    }
};

TEST_F(RecursiveFilesTest, FilesBeforeSubfoldersWithTheCountInTheMessage) {
    const ListingOutcome outcome = ListFilesRecursively(state, settings, fake.context);
    EXPECT_EQ(fake.clipboard.text, "a1.log\r\na2.txt\r\nb1.txt\r\nc1.txt");
    EXPECT_EQ(outcome.count, 4u);
    EXPECT_EQ(fake.dialogs.questions, Texts{Translated(kAskSubfolderSearch)});
    EXPECT_EQ(fake.dialogs.messages, Texts{Translated(kTransferredFileCount) + "4"});
    EXPECT_EQ(fake.progress.activities.front(), Translated(kSearchingSubfolders));
    EXPECT_TRUE(fake.progress.cancellable);
    EXPECT_FALSE(fake.progress.open);
}

TEST_F(RecursiveFilesTest, PatternHiddenSwitchAndFullPathsApply) {
    state.pattern = "*.txt";
    state.showHidden = true;
    settings.SFolderFullPath = "1";
    settings.SFolderLastLineReturn = "1";
    ListFilesRecursively(state, settings, fake.context);
    const std::string& t = tree.path();
    EXPECT_EQ(fake.clipboard.text, t + "/a2.txt\r\n" + t + "/.secret/s.txt\r\n" + t + "/B/.hidden.txt\r\n" + t +
                                       "/B/b1.txt\r\n" + t + "/C/c1.txt\r\n");
}

TEST_F(RecursiveFilesTest, NoToTheQuestionLeavesTheClipboardAlone) {
    fake.dialogs.answer = false;
    const ListingOutcome outcome = ListFilesRecursively(state, settings, fake.context);
    EXPECT_TRUE(outcome.declined);
    EXPECT_TRUE(fake.clipboard.calls.empty());
    EXPECT_EQ(fake.dialogs.messages, Texts{Translated(kCancelledMessage)});
    EXPECT_TRUE(fake.progress.activities.empty());
}

TEST_F(RecursiveFilesTest, NoMatchingFileSaysSoAndClears) {
    state.pattern = "*.none";
    fake.clipboard.text = "old";
    ListFilesRecursively(state, settings, fake.context);
    EXPECT_EQ(fake.dialogs.messages, Texts{Translated(kNothingCollected)});
    EXPECT_EQ(fake.clipboard.calls, Texts{"Clear"});
}

TEST_F(RecursiveFilesTest, ExtensionSortOrdersTheWholeTree) {
    settings.FileExtSort = "1";
    ListFilesRecursively(state, settings, fake.context);
    EXPECT_EQ(fake.clipboard.text, "a1.log\r\na2.txt\r\nb1.txt\r\nc1.txt");
    EXPECT_NE(std::find(fake.progress.activities.begin(), fake.progress.activities.end(), Translated(kSortingFileNames)),
              fake.progress.activities.end());
}

// The cancel comes on the fourth pump, once the start folder was entered (the walk's
// threads decide whether one more folder made it). What was found before the cancel is
// delivered, nothing after it, and the save offered; a sort afterwards clears the cancel and
// reports success.
TEST_F(RecursiveFilesTest, ACancelledWalkStillDeliversWhatCameBeforeIt) {
    const std::string whole = "a1.log\r\na2.txt\r\nb1.txt\r\nc1.txt";
    for (const bool sorted : {false, true}) {
        SCOPED_TRACE(sorted ? "sorted" : "unsorted");
        testing::FakeJobContext job;
        job.dialogs.answer = true;
        settings.SFolderWrite = sorted ? "0" : "1";
        settings.FileExtSort = sorted ? "1" : "0";
        testing::CancelOnPump(job, 4);
        const ListingOutcome outcome = ListFilesRecursively(state, settings, job.context);
        EXPECT_EQ(outcome.cancelled, !sorted);
        const std::string& text = job.clipboard.text;
        EXPECT_TRUE(text == "a1.log\r\na2.txt" || text == "a1.log\r\na2.txt\r\nb1.txt") << text;
        ASSERT_GE(job.dialogs.messages.size(), 1u);
        const std::string count = text.size() > 15 ? "3" : "2";
        EXPECT_EQ(job.dialogs.messages[0], sorted ? Translated(kTransferredFileCount) + count : Translated(kCancelledMessage));
        EXPECT_EQ(job.saveDialog.requests.size(), sorted ? 0u : 1u);
    }
}

// Keys the order sees as equal (case only) keep the walk order, whichever folder's reader
// thread made them first: sorted as texts after a walk on one thread, as keys made on the
// reader threads after a walk on several.
TEST_F(RecursiveFilesTest, ExtensionSortKeepsTheWalkOrderOfEqualKeys) {
    testing::TempTree cased;
    for (const char* file : {"A/n.TXT", "a/N.txt", "B/n.txt", "b/N.TXT", "n.Txt", "m.txt", "z"}) cased.AddFile(file);
    state.folder = cased.path();
    state.pattern = "*";
    settings.FileExtSort = "1";
    settings.SFolderFullPath = "1";
    const std::string& t = cased.path();
    // Subfolders are walked in byte order among equals: "A" before "a", "B" before "b".
    const std::string expected = t + "/z\r\n" + t + "/A/n.TXT\r\n" + t + "/a/N.txt\r\n" + t + "/B/n.txt\r\n" +
                                 t + "/b/N.TXT\r\n" + t + "/m.txt\r\n" + t + "/n.Txt";
    for (const char* threads : {"1", "4"}) {
        SCOPED_TRACE(threads);
        ScopedEnvironment walkThreads("PELMORA_WALK_THREADS", threads);
        testing::FakeJobContext job;
        job.dialogs.answer = true;
        ListFilesRecursively(state, settings, job.context);
        EXPECT_EQ(job.clipboard.text, expected);
    }
}

// The attribute bits are read with each file's facts on the walk's threads: a stored value
// wins, its absence falls back to the owner's write permission and the leading dot.
TEST_F(RecursiveFilesTest, AttributesWithAndWithoutTheStoredValue) {
    testing::TempTree files;
    files.AddFile("plain.txt");
    const std::string readOnly = files.AddFile("sub/locked.txt");
    ASSERT_EQ(chmod(readOnly.c_str(), 0444), 0);
    files.AddFile("sub/.dot.txt");
    const std::string marked = files.AddFile("sub/deeper/marked.txt");
    const std::string value = "0x26";  // hidden, system, archive
    if (setxattr(marked.c_str(), "user.DOSATTRIB", value.data(), value.size(), 0) != 0) {
        GTEST_SKIP() << "no user extended attributes here";
    }
    state.folder = files.path();
    state.pattern = "*";
    state.showHidden = true;
    settings.SFolderAttrib = "1";
    ListFilesRecursively(state, settings, fake.context);
    EXPECT_EQ(fake.clipboard.text,
              "plain.txt,ReadOnly(-),Hidden(-),System(-),Archive(-)\r\n"
              ".dot.txt,ReadOnly(-),Hidden(+),System(-),Archive(-)\r\n"
              "locked.txt,ReadOnly(+),Hidden(-),System(-),Archive(-)\r\n"
              "marked.txt,ReadOnly(-),Hidden(+),System(+),Archive(+)");
}

// The listing reads the folders and the file facts through the job's file system.
TEST_F(RecursiveFilesTest, ReadsThroughTheJobsFileSystem) {
    testing::FakeFileSystem files;
    files.AddFile("/m/big.txt", 1234567);
    files.AddFile("/m/sub/small.txt", 5);
    fake.context.fileSystem = &files;
    state.folder = "/m";
    settings.SFolderSize = "1";
    settings.SFolderSizePatarn = "0";
    ListFilesRecursively(state, settings, fake.context);
    EXPECT_EQ(fake.clipboard.text, "big.txt,1234567\r\nsmall.txt,5");
}

}  // namespace
}  // namespace pelmora
