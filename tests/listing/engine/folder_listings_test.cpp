#include "listing/engine/folder_listings.h"

#include <gtest/gtest.h>

#include "collector_settings.h"
#include "i18n/translation.h"
#include "listing/engine/listing_messages.h"

namespace pelmora {
namespace {

using Texts = std::vector<std::string>;

class FolderListingsTest : public testing::CollectorTest {
protected:
    FolderListingsTest() {
        tree.AddFolder("A/B/D");
        tree.AddFolder("A/C");
        tree.AddFolder("A/.h");
        tree.AddFile("A/file");
        tree.AddFolder("empty");
        state.folder = tree / "A";
        fake.dialogs.answer = true;
    }
};

TEST_F(FolderListingsTest, CurrentFolderByNameOrPathWithItsMark) {
    struct Case {
        const char* fullPath;
        const char* mark;
        const char* last;
        std::string expected;
    };
    const Case cases[] = {
        {"0", "0", "0", "A"},
        {"0", "1", "1", "A/\r\n"},
        {"1", "1", "0", tree / "A/"},
    };
    for (const Case& c : cases) {
        testing::FakeJobContext job;
        settings.Fol_FullPath1 = c.fullPath;
        settings.Fol_FolderMark1 = c.mark;
        settings.Fol_LastLineReturn1 = c.last;
        ListCurrentFolder(state, settings, job.context);
        EXPECT_EQ(job.clipboard.text, c.expected);
        EXPECT_TRUE(job.dialogs.messages.empty());
    }
    state.folder.clear();
    fake.clipboard.text = "old";
    ListCurrentFolder(state, settings, fake.context);
    EXPECT_EQ(fake.clipboard.calls, Texts{"Clear"});
}

TEST_F(FolderListingsTest, ImmediateSubfoldersWithAndWithoutTheStartFolder) {
    ListSubfolders(state, settings, fake.context);
    EXPECT_EQ(fake.clipboard.text, "B\r\nC");
    settings.Fol_RootGet2 = "1";
    state.showHidden = true;
    ListSubfolders(state, settings, fake.context);
    EXPECT_EQ(fake.clipboard.text, "A\r\n.h\r\nB\r\nC");

    state.folder = tree / "empty";
    ListSubfolders(state, settings, fake.context);
    EXPECT_EQ(fake.clipboard.text, "empty");
    settings.Fol_RootGet2 = "0";
    ListSubfolders(state, settings, fake.context);
    EXPECT_EQ(fake.clipboard.calls.back(), "Clear");
    EXPECT_TRUE(fake.dialogs.messages.empty());

    state.folder = tree / "missing";
    const ListingOutcome outcome = ListSubfolders(state, settings, fake.context);
    EXPECT_TRUE(outcome.failed);
    EXPECT_EQ(fake.dialogs.messages, Texts{Translated(kSubfolderNamesFailed)});
}

TEST_F(FolderListingsTest, AllSubfoldersInPreOrder) {
    settings.Fol_RootGet3 = "1";
    ListAllSubfolders(state, settings, fake.context);
    EXPECT_EQ(fake.clipboard.text, "A\r\nB\r\nD\r\nC");
    EXPECT_EQ(fake.dialogs.messages, Texts{Translated(kTransferredFolderCount) + "4"});

    testing::FakeJobContext job;
    job.dialogs.answer = true;
    settings.Fol_RootGet3 = "0";
    settings.Fol_FullPath3 = "1";
    settings.Fol_FolderMark3 = "1";
    ListAllSubfolders(state, settings, job.context);
    const std::string a = tree / "A";
    EXPECT_EQ(job.clipboard.text, a + "/B/\r\n" + a + "/B/D/\r\n" + a + "/C/");
}

TEST_F(FolderListingsTest, AllSubfoldersOfAFolderWithoutAnyNamesNothing) {
    state.folder = tree / "empty";
    fake.clipboard.text = "old";
    ListAllSubfolders(state, settings, fake.context);
    EXPECT_EQ(fake.dialogs.messages, Texts{Translated(kNothingCollected)});
    EXPECT_EQ(fake.clipboard.calls, Texts{"Clear"});

    testing::FakeJobContext job;
    ListAllSubfolders(state, settings, job.context);  // answered no
    EXPECT_EQ(job.dialogs.messages, Texts{Translated(kCancelledMessage)});
    EXPECT_TRUE(job.clipboard.calls.empty());
}

TEST_F(FolderListingsTest, ACancelledFolderWalkDeliversWhatItFound) {
    settings.Fol_RootGet3 = "1";
    settings.Fol_Write3 = "1";
    // Once the start folder was entered; the walk's threads decide whether B made it too.
    testing::CancelOnPump(fake, 4);
    const ListingOutcome outcome = ListAllSubfolders(state, settings, fake.context);
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_TRUE(fake.clipboard.text == "A" || fake.clipboard.text == "A\r\nB") << fake.clipboard.text;
    ASSERT_GE(fake.dialogs.messages.size(), 1u);
    EXPECT_EQ(fake.dialogs.messages[0], Translated(kCancelledMessage));
    EXPECT_EQ(fake.saveDialog.requests.size(), 1u);
}

}  // namespace
}  // namespace pelmora
