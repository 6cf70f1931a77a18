#include "listing/engine/selected_files.h"

#include <gtest/gtest.h>

#include "collector_settings.h"
#include "i18n/translation.h"
#include "listing/engine/listing_messages.h"

namespace pelmora {
namespace {

class SelectedFilesTest : public testing::CollectorTest {
protected:
    SelectedFilesTest() {
        for (const char* name : {"a.txt", "b.csv", "c", "d.txt", "e.md"}) tree.AddFile(name);
        state.folder = tree.path();
        state.entries = {"a.txt", "b.csv", "c", "d.txt", "e.md"};
        state.selected = {true, true, true, true, true};
    }
};

TEST_F(SelectedFilesTest, SelectedEntriesInListOrderWithTheLastLineSwitch) {
    state.entries = {"e.md", "a.txt", "gone.txt", "c", "d.txt", "b.csv"};
    state.selected = {true, true, true, false, true};  // b.csv has no flag: not selected
    for (const char* last : {"0", "1"}) {
        settings.FileLastLineReturn = last;
        const ListingOutcome outcome = ListSelectedFiles(state, settings, fake.context);
        const std::string expected = std::string("e.md\r\na.txt\r\nd.txt") + (last[0] == '1' ? "\r\n" : "");
        EXPECT_EQ(fake.clipboard.text, expected);
        EXPECT_EQ(outcome.text(), expected);
        EXPECT_EQ(outcome.count, 3u);
    }
    EXPECT_TRUE(fake.dialogs.messages.empty());
    EXPECT_TRUE(fake.saveDialog.requests.empty());
}

// A long selection lets the window's events run between files; the listing cannot be
// cancelled, so a raised flag changes nothing.
TEST_F(SelectedFilesTest, EventsRunWhileTheFilesAreReadAndACancelIsNotLookedAt) {
    testing::CancelOnPump(fake, 1);  // every pump outlasts the pump interval
    const ListingOutcome outcome = ListSelectedFiles(state, settings, fake.context);
    EXPECT_GE(fake.progress.pumps, 4);
    EXPECT_EQ(outcome.count, 5u);
    EXPECT_FALSE(outcome.cancelled);
    EXPECT_EQ(fake.clipboard.text, "a.txt\r\nb.csv\r\nc\r\nd.txt\r\ne.md");
}

TEST_F(SelectedFilesTest, NothingToListOnlyClearsTheClipboard) {
    struct Case {
        const char* what;
        std::vector<bool> selected;
        bool allFieldsOff;
        const char* extSort;
    };
    const Case cases[] = {
        {"no selection", {false, false, false, false, false}, false, "0"},
        {"every field off", {true, true, true, true, true}, true, "0"},
        {"every field off, sorted", {true, true, true, true, true}, true, "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testing::FakeJobContext job;
        job.clipboard.text = "old";
        state.selected = c.selected;
        settings.FileName = c.allFieldsOff ? "0" : "1";
        settings.FileExtSort = c.extSort;
        const ListingOutcome outcome = ListSelectedFiles(state, settings, job.context);
        EXPECT_EQ(job.clipboard.calls, std::vector<std::string>{"Clear"});
        EXPECT_FALSE(outcome.delivered);
        EXPECT_TRUE(job.dialogs.messages.empty());
    }
}

TEST_F(SelectedFilesTest, ExtensionSortAndFullPathsWithoutADoubledSeparator) {
    settings.FileExtSort = "1";
    settings.FileFullPath = "1";
    state.folder = tree.path() + "/";
    ListSelectedFiles(state, settings, fake.context);
    const std::string base = tree.path() + "/";
    EXPECT_EQ(fake.clipboard.text,
              base + "c\r\n" + base + "b.csv\r\n" + base + "e.md\r\n" + base + "a.txt\r\n" + base + "d.txt");
}

TEST_F(SelectedFilesTest, TheSaveComesAfterTheClipboardAndACancelKeepsIt) {
    settings.FileWrite = "1";
    ListSelectedFiles(state, settings, fake.context);
    EXPECT_EQ(fake.clipboard.text, "a.txt\r\nb.csv\r\nc\r\nd.txt\r\ne.md");
    ASSERT_EQ(fake.saveDialog.requests.size(), 1u);
    EXPECT_EQ(fake.dialogs.messages, std::vector<std::string>{Translated(kSaveCancelled)});

    testing::FakeJobContext job;
    job.saveDialog.answer = tree / "saved.txt";
    ListSelectedFiles(state, settings, job.context);
    EXPECT_EQ(tree.Read("saved.txt"), job.clipboard.text);
}

}  // namespace
}  // namespace pelmora
