#include "listing/engine/folder_contents.h"

#include <gtest/gtest.h>

#include "listing/text/text_comparison.h"
#include "tests/support/temp_tree.h"

namespace pelmora {
namespace {

using Names = std::vector<std::string>;

class FolderContentsTest : public ::testing::Test {
protected:
    testing::TempTree tree;
};

TEST_F(FolderContentsTest, FilesMatchThePatternAndFoldersAreListedApart) {
    tree.AddFile("b.txt");
    tree.AddFile("A.TXT");
    tree.AddFile("c.csv");
    tree.AddFile("noext");
    tree.AddFolder("sub.txt");
    tree.AddFolder("Other");
    std::error_code error;
    EXPECT_EQ(ListFolderFiles(tree.path(), "*.txt", false, false, error), (Names{"A.TXT", "b.txt"}));
    EXPECT_FALSE(error);
    EXPECT_EQ(ListFolderFiles(tree.path(), "*.txt;*.", false, false, error), (Names{"A.TXT", "b.txt", "noext"}));
    EXPECT_EQ(ListSubfolderNames(tree.path(), false, error), (Names{"Other", "sub.txt"}));
}

TEST_F(FolderContentsTest, HiddenEntriesOnlyWhenShown) {
    tree.AddFile(".hidden");
    tree.AddFile("shown");
    tree.AddFolder(".git");
    tree.AddFolder("src");
    std::error_code error;
    EXPECT_EQ(ListFolderFiles(tree.path(), "*.*", false, true, error), (Names{"shown"}));
    EXPECT_EQ(ListFolderFiles(tree.path(), "*.*", true, false, error), (Names{".hidden", "shown"}));
    EXPECT_EQ(ListSubfolderNames(tree.path(), false, error), (Names{"src"}));
    EXPECT_EQ(ListSubfolderNames(tree.path(), true, error), (Names{".git", "src"}));
}

TEST_F(FolderContentsTest, LinksCountAsWhatTheyLeadTo) {
    tree.AddFolder("real");
    tree.AddFile("file");
    tree.AddLink("to-folder", tree / "real");
    tree.AddLink("to-file", tree / "file");
    tree.AddLink("dangling", tree / "nowhere");
    std::error_code error;
    EXPECT_EQ(ListSubfolderNames(tree.path(), false, error), (Names{"real", "to-folder"}));
    EXPECT_EQ(ListFolderFiles(tree.path(), "*", false, false, error), (Names{"dangling", "file", "to-file"}));
}

TEST_F(FolderContentsTest, SortedInTheProgramsTextOrderWithOddNamesKept) {
    const Names names = {"b", "B", "a b", "あ", "ア", "10", "9", "x\ty", "\xff\xfe", "line\nbreak", "\"q\""};
    for (const std::string& name : names) tree.AddFile(name);
    std::error_code error;
    const Names listed = ListFolderFiles(tree.path(), "*.*", false, false, error);
    ASSERT_EQ(listed.size(), names.size());
    for (std::size_t i = 1; i < listed.size(); ++i) EXPECT_LT(CompareTextThenBytes(listed[i - 1], listed[i]), 0) << i;
    EXPECT_NE(std::find(listed.begin(), listed.end(), "\xff\xfe"), listed.end());
}

TEST_F(FolderContentsTest, AMissingFolderReportsAnError) {
    std::error_code error;
    EXPECT_TRUE(ListFolderFiles(tree / "missing", "*.*", false, false, error).empty());
    EXPECT_TRUE(error);
    EXPECT_TRUE(ListSubfolderNames(tree / "missing", false, error).empty());
    EXPECT_TRUE(error);
}

}  // namespace
}  // namespace pelmora
