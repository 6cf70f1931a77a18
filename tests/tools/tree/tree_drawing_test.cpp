#include "tools/tree/tree_drawing.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include "listing/engine/folder_walker.h"
#include "tests/support/fake_job_context.h"
#include "tests/support/temp_tree.h"

namespace pelmora {
namespace {

// A folder tree held in memory: folder path -> its files and subfolders.
class MapReader : public TreeFolderReader {
public:
    void Read(const std::string& folder, const std::string&, TreeFolderContents& contents) override {
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
    void Touch(const std::string& relative) { tree_.AddFile(relative, "x"); }
    testing::TempTree tree_;
    const std::string root_ = tree_.path();
};

TEST_F(FileSystemTreeReaderTest, ListsVisibleEntriesSortedAndDoesNotFollowLinks) {
    for (const char* folder : {"Beta/inner", "alpha", ".hidden-folder"}) tree_.AddFolder(folder);
    Touch("b.txt");
    Touch("A.txt");
    Touch(".hidden");
    Touch("caf\xE9.txt");  // Latin-1 byte, not UTF-8
    ASSERT_EQ(::symlink(root_.c_str(), (root_ + "/loop").c_str()), 0);

    FileSystemTreeReader reader;
    TreeFolderContents contents;
    reader.Read(root_, {}, contents);
    EXPECT_EQ(contents.subfolders, (std::vector<std::string>{"alpha", "Beta", "loop"}));
    EXPECT_EQ(contents.files, (std::vector<std::string>{"A.txt", "b.txt", "caf\xE9.txt"}));

    // Drawing the whole tree ends although "loop" points back at the start.
    Lines sink;
    DrawFolderTree(root_, {true, false}, reader, sink);
    EXPECT_EQ(sink.lines.back(), "└─loop");
    EXPECT_LT(sink.lines.size(), 20u);

    FileSystemTreeReader foldersOnly(false);
    foldersOnly.Read(root_, {}, contents);
    EXPECT_EQ(contents.subfolders, (std::vector<std::string>{"alpha", "Beta", "loop"}));
    EXPECT_TRUE(contents.files.empty());

    // An unreadable folder shows empty, nothing left over from the last read.
    TreeFolderContents missing{{"stale"}, {"stale"}};
    reader.Read(root_ + "/missing", "missing", missing);
    EXPECT_TRUE(missing.files.empty());
    EXPECT_TRUE(missing.subfolders.empty());
}

// Folders are opened relative to their parent: a tree whose paths outgrow the system's limit
// is drawn to its bottom, as deep as the folder walk of the listings goes, and folders closed
// on the way down are opened again for their later subfolders.
TEST_F(FileSystemTreeReaderTest, ATreeDeeperThanThePathLimitIsDrawnToTheBottom) {
    constexpr int kDepth = 60;
    const std::string name(100, 'd');
    tree_.AddDeepChain("deep", kDepth, name, "bottom.txt");
    tree_.AddFolder("deep/" + name + "/zz-after");

    FileSystemTreeReader reader;
    Lines sink;
    DrawFolderTree(root_, {true, false}, reader, sink);
    std::size_t drawnFolders = 0;
    for (const std::string& line : sink.lines) drawnFolders += line.find("─") != std::string::npos ? 1 : 0;
    EXPECT_EQ(drawnFolders, static_cast<std::size_t>(kDepth + 2));
    const auto bottom = std::find_if(sink.lines.begin(), sink.lines.end(), [](const std::string& line) {
        return line.size() > 10 && line.compare(line.size() - 10, 10, "bottom.txt") == 0;
    });
    ASSERT_NE(bottom, sink.lines.end());
    EXPECT_GT(bottom->size(), 4u * kDepth);  // indented below the deepest folder
    EXPECT_EQ(sink.lines.back(), "        └─zz-after");

    // The all-folders listing's walk finds the same folders.
    class FolderCounter : public FolderWalkVisitor {
    public:
        void EnterFolder(const std::string&, FolderBatch&) override { ++count; }
        std::size_t count = 0;
    } walked;
    testing::FakeJobContext job;
    WalkFolderTree(root_, {}, walked, job.context);
    EXPECT_EQ(walked.count, drawnFolders + 1);
}

}  // namespace
}  // namespace pelmora
