#include "tools/tree/tree_drawing.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/fake_file_system.h"
#include "tests/support/fake_job_context.h"
#include "tests/support/temp_tree.h"
#include "tests/support/walk_race_trees.h"

namespace pelmora {
namespace {

using Lines = std::vector<std::string>;

class LineRecorder : public TreeLineSink {
public:
    void Line(std::string_view text) override { lines.emplace_back(text); }
    Lines lines;
};

Lines Draw(const std::string& start, TreeOptions options, platform::FileSystem* files = nullptr,
           std::size_t threads = 1) {
    testing::FakeJobContext job;
    job.context.fileSystem = files;
    options.threads = threads;
    LineRecorder sink;
    EXPECT_TRUE(DrawFolderTree(start, options, job.context, sink));
    EXPECT_TRUE(job.dialogs.questions.empty()) << "the tree never asks";
    return sink.lines;
}

void AddSampleTree(testing::FakeFileSystem& files) {
    files.AddFile("/r/top.txt");
    files.AddFile("/r/a/in-a.txt");
    files.AddFolder("/r/a/a1/deep");
    files.AddFolder("/r/a/a2");
    files.AddFile("/r/b/x");
    files.AddFile("/r/b/y");
}

struct DrawCase {
    const char* name;
    TreeOptions options;
    Lines expected;
};

class DrawFolderTreeTest : public ::testing::TestWithParam<DrawCase> {};

TEST_P(DrawFolderTreeTest, DrawsTheSampleTree) {
    testing::FakeFileSystem files;
    AddSampleTree(files);
    EXPECT_EQ(Draw("/r", GetParam().options, &files), GetParam().expected);
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
    testing::FakeFileSystem files;
    files.AddFile("/only/f1");
    files.AddFile("/only/f2");
    EXPECT_EQ(Draw("/only", {true, false}, &files),
              (Lines{"/only", "    f1", "    f2", "    ", "サブフォルダーは存在しません", ""}));
    EXPECT_EQ(Draw("/only", {false, true}, &files), (Lines{"/only", "サブフォルダーは存在しません", ""}));
}

// The start line is the path as given; below "/" (or a start with a trailing slash) the
// subfolders are still found, which a doubled slash in their paths would break.
TEST(DrawFolderTree, StartPathIsPrintedAsGivenAndJoinedWithoutDoubleSlash) {
    testing::FakeFileSystem files;
    files.AddFolder("/usr/bin");
    EXPECT_EQ(Draw("/", {}, &files), (Lines{"/", "└─usr", "    └─bin"}));
    files.AddFolder("/t/sub/inner");
    EXPECT_EQ(Draw("/t/", {}, &files), (Lines{"/t/", "└─sub", "    └─inner"}));
}

// A folder that cannot be read (or vanishes while read) is drawn without contents, its
// siblings after it as usual, and nothing asks.
TEST(DrawFolderTree, UnreadableAndVanishingFoldersAreDrawnEmpty) {
    testing::FakeFileSystem files;
    AddSampleTree(files);
    files.AddFile("/r/a/a2/lost");
    files.FailOpening("/r/a", std::errc::permission_denied);
    EXPECT_EQ(Draw("/r", {true, false}, &files), (Lines{"/r", "│  top.txt", "│  ", "├─a", "└─b", "        x",
                                                         "        y", "        "}));
    files.AddFile("/r/b/z");
    files.VanishWhileRead("/r/b");
    const Lines vanished = Draw("/r", {false, false}, &files);
    EXPECT_EQ(vanished, (Lines{"/r", "├─a", "└─b"}));
}

// The real file system: hidden entries are left out, names come in the program's text
// order, names that are not UTF-8 survive, and a link to a folder is drawn but not walked.
TEST(DrawFolderTree, RealFoldersSortedWithoutHiddenEntriesAndLinksNotFollowed) {
    testing::TempTree tree;
    for (const char* folder : {"Beta/inner", "alpha", ".hidden-folder"}) tree.AddFolder(folder);
    for (const char* file : {"b.txt", "A.txt", ".hidden", "caf\xE9.txt"}) tree.AddFile(file, "x");
    tree.AddLink("loop", tree.path());
    tree.AddLink("Beta/sideways", tree / "alpha");
    EXPECT_EQ(Draw(tree.path(), {true, false}),
              (Lines{tree.path(), "│  A.txt", "│  b.txt", "│  caf\xE9.txt", "│  ", "├─alpha", "├─Beta", "│  ├─inner",
                     "│  └─sideways", "└─loop"}));
}

// Folders are opened relative to their parent: a tree whose paths outgrow the system's limit
// is drawn to its bottom, and folders closed on the way down are opened again for their
// later subfolders.
TEST(DrawFolderTree, ATreeDeeperThanThePathLimitIsDrawnToTheBottom) {
    constexpr int kDepth = 60;
    const std::string name(100, 'd');
    testing::TempTree tree;
    tree.AddDeepChain("deep", kDepth, name, "bottom.txt");
    tree.AddFolder("deep/" + name + "/zz-after");
    const Lines lines = Draw(tree.path(), {true, false}, nullptr, 2);
    const auto drawnFolders = std::count_if(lines.begin(), lines.end(), [](const std::string& line) {
        return line.find("─") != std::string::npos;
    });
    EXPECT_EQ(drawnFolders, kDepth + 2);
    const auto bottom = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
        return line.size() > 10 && line.compare(line.size() - 10, 10, "bottom.txt") == 0;
    });
    ASSERT_NE(bottom, lines.end());
    EXPECT_GT(bottom->size(), 4u * kDepth);  // indented below the deepest folder
    EXPECT_EQ(lines.back(), "        └─zz-after");
}

// Reading ahead on several threads draws the tree of one thread, whatever the timing:
// links, odd bytes, unreadable and vanishing folders, twenty times each.
TEST(DrawFolderTree, SeveralThreadsDrawWhatOneDraws) {
    testing::TempTree links;
    testing::AddLinksAndOddNames(links);
    testing::FakeFileSystem files;
    testing::AddFoldersWithUnreadableOnes(files);
    auto vanish = [&files] { testing::MakeFoldersVanish(files); };
    for (const bool withFiles : {false, true}) {
        SCOPED_TRACE(withFiles ? "with files" : "folders only");
        const Lines single = Draw(links.path(), {withFiles, false});
        vanish();
        const Lines singleFake = Draw("/r", {withFiles, false}, &files);
        for (int repetition = 0; repetition < 20; ++repetition) {
            ASSERT_EQ(Draw(links.path(), {withFiles, false}, nullptr, 4), single) << "repetition " << repetition;
            vanish();
            ASSERT_EQ(Draw("/r", {withFiles, false}, &files, 4), singleFake) << "repetition " << repetition;
        }
    }
}

}  // namespace
}  // namespace pelmora
