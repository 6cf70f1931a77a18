#include "tools/tree/tree_drawing.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

namespace pelmora {
namespace {

// A folder tree held in memory: folder path -> its files and subfolders.
class MapReader : public TreeFolderReader {
public:
    void Read(const std::string& folder, bool, TreeFolderContents& contents) override {
        reads.push_back(folder);
        auto found = folders.find(folder);
        contents = found == folders.end() ? TreeFolderContents{} : found->second;
    }
    std::map<std::string, TreeFolderContents> folders;
    std::vector<std::string> reads;
};

class Lines : public TreeLineSink {
public:
    void Line(std::string_view text) override { lines.emplace_back(text); }
    std::vector<std::string> lines;
};

MapReader SampleTree() {
    MapReader reader;
    reader.folders["/r"] = {{"top.txt"}, {"a", "b"}};
    reader.folders["/r/a"] = {{"in-a.txt"}, {"a1", "a2"}};
    reader.folders["/r/a/a1"] = {{}, {"deep"}};
    reader.folders["/r/b"] = {{"x", "y"}, {}};
    return reader;
}

struct DrawCase {
    const char* name;
    TreeOptions options;
    std::vector<std::string> expected;
};

class DrawFolderTreeTest : public ::testing::TestWithParam<DrawCase> {};

TEST_P(DrawFolderTreeTest, DrawsTheSampleTree) {
    MapReader reader = SampleTree();
    Lines sink;
    DrawFolderTree("/r", GetParam().options, reader, sink);
    EXPECT_EQ(sink.lines, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, DrawFolderTreeTest,
    ::testing::Values(
        DrawCase{"BoxFoldersOnly", {false, false},
                 {"/r", "├─a", "│  ├─a1", "│  │  └─deep", "│  └─a2", "└─b"}},
        DrawCase{"AsciiFoldersOnly", {false, true},
                 {"/r", "+---a", "|   +---a1", "|   |   \\---deep", "|   \\---a2", "\\---b"}},
        // Files precede the subfolders; the filler depends on whether subfolders follow,
        // and the prefix-only line after the files keeps its trailing spaces.
        DrawCase{"BoxWithFiles", {true, false},
                 {"/r", "│  top.txt", "│  ", "├─a", "│  │  in-a.txt", "│  │  ", "│  ├─a1",
                  "│  │  └─deep", "│  └─a2", "└─b", "        x", "        y", "        "}},
        DrawCase{"AsciiWithFiles", {true, true},
                 {"/r", "|   top.txt", "|   ", "+---a", "|   |   in-a.txt", "|   |   ", "|   +---a1",
                  "|   |   \\---deep", "|   \\---a2", "\\---b", "        x", "        y", "        "}}),
    [](const ::testing::TestParamInfo<DrawCase>& param) { return param.param.name; });

TEST(DrawFolderTree, StartWithoutSubfoldersSaysSoAfterItsFiles) {
    MapReader reader;
    reader.folders["/only"] = {{"f1", "f2"}, {}};
    Lines withFiles;
    DrawFolderTree("/only", {true, false}, reader, withFiles);
    EXPECT_EQ(withFiles.lines,
              (std::vector<std::string>{"/only", "    f1", "    f2", "    ", "サブフォルダーは存在しません", ""}));

    Lines foldersOnly;
    DrawFolderTree("/only", {false, true}, reader, foldersOnly);
    EXPECT_EQ(foldersOnly.lines, (std::vector<std::string>{"/only", "サブフォルダーは存在しません", ""}));
}

TEST(DrawFolderTree, StartPathIsPrintedAsGivenAndJoinedWithoutDoubleSlash) {
    MapReader reader;
    reader.folders["/"] = {{}, {"usr"}};
    Lines sink;
    DrawFolderTree("/", {}, reader, sink);
    EXPECT_EQ(sink.lines.front(), "/");
    EXPECT_EQ(reader.reads, (std::vector<std::string>{"/", "/usr"}));
}

// The real file system: hidden entries are left out, names come in the program's text
// order, names that are not UTF-8 survive, and a link back up the tree is not walked.
class FileSystemTreeReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/pelmora-tree-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        root_ = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(root_); }
    void Touch(const std::string& relative) { std::ofstream(root_ + "/" + relative) << "x"; }
    std::string root_;
};

TEST_F(FileSystemTreeReaderTest, ListsVisibleEntriesSortedAndDoesNotFollowLinks) {
    std::filesystem::create_directories(root_ + "/Beta/inner");
    std::filesystem::create_directories(root_ + "/alpha");
    std::filesystem::create_directories(root_ + "/.hidden-folder");
    Touch("b.txt");
    Touch("A.txt");
    Touch(".hidden");
    Touch("caf\xE9.txt");  // Latin-1 byte, not UTF-8
    ASSERT_EQ(::symlink(root_.c_str(), (root_ + "/loop").c_str()), 0);

    FileSystemTreeReader reader;
    TreeFolderContents contents;
    reader.Read(root_, true, contents);
    EXPECT_EQ(contents.subfolders, (std::vector<std::string>{"alpha", "Beta", "loop"}));
    ASSERT_EQ(contents.files.size(), 3u);
    EXPECT_EQ(contents.files[0], "A.txt");
    EXPECT_EQ(contents.files[1], "b.txt");
    EXPECT_EQ(contents.files[2], "caf\xE9.txt");

    // Drawing the whole tree ends although "loop" points back at the start.
    Lines sink;
    DrawFolderTree(root_, {true, false}, reader, sink);
    EXPECT_EQ(sink.lines.back(), "└─loop");
    EXPECT_LT(sink.lines.size(), 20u);
}

TEST_F(FileSystemTreeReaderTest, FoldersOnlyReaderSkipsFiles) {
    std::filesystem::create_directories(root_ + "/sub");
    Touch("file.txt");
    FileSystemTreeReader reader(false);
    TreeFolderContents contents;
    reader.Read(root_, true, contents);
    EXPECT_EQ(contents.subfolders, std::vector<std::string>{"sub"});
    EXPECT_TRUE(contents.files.empty());
}

TEST_F(FileSystemTreeReaderTest, UnreadableFolderIsShownEmpty) {
    FileSystemTreeReader reader;
    TreeFolderContents contents{{"stale"}, {"stale"}};
    reader.Read(root_ + "/missing", false, contents);
    EXPECT_TRUE(contents.files.empty());
    EXPECT_TRUE(contents.subfolders.empty());
}

}  // namespace
}  // namespace pelmora
