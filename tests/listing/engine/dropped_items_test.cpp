#include "listing/engine/dropped_items.h"

#include <gtest/gtest.h>

#include "collector_settings.h"
#include "tests/support/fake_file_system.h"

namespace pelmora {
namespace {

using Texts = std::vector<std::string>;

TEST(TokenizeCommandLine, SplitsAtSpacesOutsideQuotes) {
    struct Case {
        const char* line;
        Texts tokens;
    };
    const Case cases[] = {
        {"/a /b", {"/a", "/b"}},
        {"\"/my docs\" /b", {"/my docs", "/b"}},
        {"/a  /b", {"/a", "", "/b"}},
        {"/x\"y z\"w", {"/xy zw"}},
        {"\" /lead\"", {" /lead"}},
        {"", {""}},
        {"/unclosed \"a b", {"/unclosed", "a b"}},
    };
    for (const Case& c : cases) EXPECT_EQ(TokenizeCommandLine(c.line), c.tokens) << c.line;
}

TEST(JoinCommandLine, TokenizesBackIntoTheSameArguments) {
    const std::vector<Texts> argumentLists = {
        {"/a", "/b"},
        {"/my docs/file name.txt", "/plain"},
        {"/tab\there", "/日本語 フォルダ"},
        {"/one"},
    };
    for (const Texts& args : argumentLists) EXPECT_EQ(TokenizeCommandLine(JoinCommandLine(args)), args);
    EXPECT_EQ(JoinCommandLine({"/a b", "/c"}), "\"/a b\" /c");
}

TEST(LongPathOf, KeepsExistingPathsAndRejectsMissingOnes) {
    testing::TempTree tree;
    tree.AddFile("dir/file.txt");
    tree.AddLink("dangling", tree / "nowhere");
    const std::string t = tree.path();
    platform::FileSystem& local = platform::LocalFileSystem();
    EXPECT_EQ(LongPathOf(t + "/dir/file.txt", local), t + "/dir/file.txt");
    EXPECT_EQ(LongPathOf(t + "//dir/", local), t + "/dir");
    EXPECT_EQ(LongPathOf(t + "/dangling", local), t + "/dangling");
    EXPECT_EQ(LongPathOf(t + "/missing/file.txt", local), "");
    EXPECT_EQ(LongPathOf(t + "/dir/missing", local), "");
    EXPECT_EQ(LongPathOf("/", local), "/");
    EXPECT_EQ(LongPathOf("", local), "");
    EXPECT_EQ(LongPathOf("//server/share/x", local), "//server/share/x");

    // Each component is looked up in the file system it is given, not on this machine.
    testing::FakeFileSystem fake;
    fake.AddFile("/only/in/fake.txt");
    EXPECT_EQ(LongPathOf("/only/in/fake.txt", fake), "/only/in/fake.txt");
    EXPECT_EQ(LongPathOf(t + "/dir/file.txt", fake), "");
}

class DroppedItemsTest : public testing::CollectorTest {
protected:
    DroppedItemsTest() {
        tree.AddFile("b.txt");
        tree.AddFile("a.txt");
        tree.AddFolder("z");
        tree.AddFolder("my docs");
    }
    std::string Line(const Texts& names) const {
        Texts paths;
        for (const std::string& name : names) paths.push_back(tree / name);
        return JoinCommandLine(paths);
    }
};

TEST_F(DroppedItemsTest, FoldersFirstThenFilesEachSorted) {
    ListDroppedItems(Line({"b.txt", "z", "a.txt"}), false, settings, fake.context);
    EXPECT_EQ(fake.clipboard.text, "z\r\na.txt\r\nb.txt");
    EXPECT_TRUE(fake.dialogs.messages.empty());
}

TEST_F(DroppedItemsTest, AltInvertsTheFullPathSwitchForFoldersAndFiles) {
    for (const char* fullPath : {"0", "1"}) {
        for (const bool alt : {false, true}) {
            testing::FakeJobContext job;
            settings.DropFullPath = fullPath;
            ListDroppedItems(Line({"a.txt", "my docs"}), alt, settings, job.context);
            const bool full = (fullPath[0] == '1') != alt;
            EXPECT_EQ(job.clipboard.text, full ? tree / "my docs" + "\r\n" + tree / "a.txt" : "my docs\r\na.txt")
                << fullPath << alt;
        }
    }
}

TEST_F(DroppedItemsTest, FolderEnclosureAndMark) {
    struct Case {
        const char* kakomi;
        const char* mark;
        const char* expected;
    };
    const Case cases[] = {
        {"<TAB>", "0", "\tz\t"},
        {"<CRLF>", "1", "\r\nz/\r\n"},
        {"'", "1", "'z/'"},
        {"[<TAB>]", "0", "[<TAB>]z[<TAB>]"},  // used literally for folders
    };
    for (const Case& c : cases) {
        testing::FakeJobContext job;
        settings.Kakomi = c.kakomi;
        settings.DropFolderMark = c.mark;
        ListDroppedItems(Line({"z"}), false, settings, job.context);
        EXPECT_EQ(job.clipboard.text, c.expected) << c.kakomi;
    }
}

TEST_F(DroppedItemsTest, RawTextMissingItemsAndEmptyTokens) {
    settings.DropMultiLine = "0";
    settings.DropLastLineReturn = "1";
    ListDroppedItems("  raw \"text\"", false, settings, fake.context);
    EXPECT_EQ(fake.clipboard.text, "  raw \"text\"\r\n");

    testing::FakeJobContext job;
    settings.DropMultiLine = "1";
    settings.DropLastLineReturn = "0";
    // The doubled space names nothing; the missing file keeps an empty line of its own,
    // sorted first as its path could not be confirmed.
    const ListingOutcome outcome =
        ListDroppedItems(tree / "a.txt" + "  " + tree / "gone.txt", false, settings, job.context);
    EXPECT_EQ(job.clipboard.text, "\r\na.txt");
    EXPECT_EQ(outcome.notFound, Texts{tree / "gone.txt"});  // for the lister to report
}

TEST_F(DroppedItemsTest, ArgumentsKeepQuotesInNamesAndJoinForTheRawText) {
    tree.AddFile("say \"hi\".txt");
    const Texts arguments = {tree / "say \"hi\".txt", tree / "b.txt"};
    ListDroppedItems(arguments, false, settings, fake.context);
    EXPECT_EQ(fake.clipboard.text, "b.txt\r\nsay \"hi\".txt");

    testing::FakeJobContext job;
    settings.DropMultiLine = "0";
    ListDroppedItems(arguments, false, settings, job.context);
    EXPECT_EQ(job.clipboard.text, JoinCommandLine(arguments));
}

TEST_F(DroppedItemsTest, ExtensionSortAndTheSaveOffer) {
    tree.AddFile("c.csv");
    settings.FileExtSort = "1";
    settings.DropWrite = "1";
    ListDroppedItems(Line({"b.txt", "c.csv", "a.txt"}), false, settings, fake.context);
    EXPECT_EQ(fake.clipboard.text, "c.csv\r\na.txt\r\nb.txt");
    EXPECT_EQ(fake.saveDialog.requests.size(), 1u);
}

}  // namespace
}  // namespace pelmora
