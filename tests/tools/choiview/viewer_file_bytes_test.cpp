// A file's bytes for the displays that cannot read through the file system service: the whole
// file in memory, and a private copy that goes with its holder.
#include "tools/choiview/viewer_file_bytes.h"

#include <sys/stat.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "tests/support/temp_tree.h"

namespace pelmora {
namespace {

TEST(ViewerFileBytes, ReadsTheWholeFileUpToTheLimit) {
    testing::TempTree tree;
    std::string content(700 * 1024, 'a');  // more than one chunk
    content[0] = '\0';
    content.back() = '\xFF';
    const std::string path = tree.AddFile("big.bin", content);
    EXPECT_EQ(ReadWholeFile(path), content);
    EXPECT_EQ(ReadWholeFile(path, content.size()), content);
    EXPECT_FALSE(ReadWholeFile(path, content.size() - 1));
    EXPECT_EQ(ReadWholeFile(tree.AddFile("empty.txt")), std::string());
    EXPECT_FALSE(ReadWholeFile(tree / "missing.txt"));
    EXPECT_FALSE(ReadWholeFile(tree.path()));  // a folder has no bytes to show
}

TEST(ViewerFileBytes, APrivateCopyKeepsTheNameIsTheUsersAloneAndGoesWithItsHolder) {
    testing::TempTree tree;
    const std::string name = "Bild \xE9t\xE9.png";  // not UTF-8: the name survives as bytes
    const std::string path = tree.AddFile(name, std::string("\x89PNG\0data", 9));
    std::string copyPath;
    std::string folder;
    {
        const std::unique_ptr<PrivateFileCopy> copy = PrivateFileCopy::Make(path);
        ASSERT_TRUE(copy);
        copyPath = copy->Path();
        folder = std::filesystem::path(copyPath).parent_path().string();
        EXPECT_EQ(std::filesystem::path(copyPath).filename().string(), name);
        EXPECT_NE(folder, tree.path());
        EXPECT_EQ(testing::ReadFile(copyPath), std::string("\x89PNG\0data", 9));
        struct stat facts {};
        ASSERT_EQ(::stat(copyPath.c_str(), &facts), 0);
        EXPECT_EQ(facts.st_mode & 0777, 0600u);
        ASSERT_EQ(::stat(folder.c_str(), &facts), 0);
        EXPECT_EQ(facts.st_mode & 0077, 0u);
    }
    EXPECT_FALSE(std::filesystem::exists(copyPath));
    EXPECT_FALSE(std::filesystem::exists(folder));
    EXPECT_FALSE(PrivateFileCopy::Make(tree / "missing.png"));
}

TEST(ViewerFileBytes, ALocalFileIsUsedWhereItIs) {
    testing::TempTree tree;
    const std::string path = tree.AddFile("clip.wav", "RIFF");
    std::unique_ptr<PrivateFileCopy> copy = PrivateFileCopy::Make(path);
    EXPECT_EQ(LocalPathOf(path, copy), path);
    EXPECT_FALSE(copy);  // the holder lets go of an earlier copy
}

}  // namespace
}  // namespace pelmora
