#include "listing/engine/folder_walker.h"

#include <unistd.h>

#include <climits>
#include <filesystem>

#include <gtest/gtest.h>

#include "tests/support/fake_file_system.h"
#include "tests/support/fake_job_context.h"
#include "listing/engine/listing_messages.h"
#include "tests/support/temp_tree.h"

namespace pelmora {
namespace {

using Events = std::vector<std::string>;

// Records the walk relative to the start folder: "D:" for a folder, "F:" for a file.
class RecordingVisitor : public FolderWalkVisitor {
public:
    explicit RecordingVisitor(std::string start) : start_(std::move(start)) {}
    void EnterFolder(const std::string& path) override { events.push_back("D:" + Relative(path)); }
    void VisitFile(const std::string& folderPath, const platform::OpenFolder&, const std::string& name) override {
        std::string path = folderPath;
        AppendChildPath(path, name);
        longestPath = std::max(longestPath, path.size());
        events.push_back("F:" + Relative(path));
        if (onFile) onFile(name);
    }
    Events events;
    std::size_t longestPath = 0;
    std::function<void(const std::string&)> onFile;

private:
    std::string Relative(const std::string& path) const {
        return path.size() > start_.size() ? path.substr(start_.size() + 1) : ".";
    }
    std::string start_;
};

class FolderWalkerTest : public ::testing::Test {
protected:
    WalkEnd Walk(RecordingVisitor& visitor, bool withFiles = true, bool showHidden = false) {
        FolderWalkOptions options;
        options.filePattern = withFiles ? &pattern : nullptr;
        options.showHidden = showHidden;
        return WalkFolderTree(tree.path(), options, visitor, fake.context);
    }
    testing::TempTree tree;
    testing::FakeJobContext fake;
    WildcardPattern pattern{"*.*"};
};

TEST_F(FolderWalkerTest, FilesOfAFolderComeBeforeItsSubfoldersInPreOrder) {
    tree.AddFile("a2");
    tree.AddFile("a1");
    tree.AddFile("C/c1");
    tree.AddFile("B/b1");
    tree.AddFolder("B/D");
    tree.AddFile(".hidden/h");
    RecordingVisitor visitor(tree.path());
    EXPECT_EQ(Walk(visitor), WalkEnd::Completed);
    EXPECT_EQ(visitor.events, (Events{"D:.", "F:a1", "F:a2", "D:B", "F:B/b1", "D:B/D", "D:C", "F:C/c1"}));

    RecordingVisitor foldersOnly(tree.path());
    EXPECT_EQ(Walk(foldersOnly, false, true), WalkEnd::Completed);
    EXPECT_EQ(foldersOnly.events, (Events{"D:.", "D:.hidden", "D:B", "D:B/D", "D:C"}));
    EXPECT_TRUE(fake.dialogs.questions.empty());
}

TEST_F(FolderWalkerTest, ALinkBackUpTheWalkPathIsNotEnteredAgainButOtherLinksAre) {
    tree.AddFile("x/f");
    tree.AddLink("x/up", tree.path());
    tree.AddLink("x/self", ".");
    tree.AddFile("y/g");
    tree.AddLink("x/sibling", tree / "y");
    RecordingVisitor visitor(tree.path());
    EXPECT_EQ(Walk(visitor), WalkEnd::Completed);
    EXPECT_EQ(visitor.events, (Events{"D:.", "D:x", "F:x/f", "D:x/sibling", "F:x/sibling/g", "D:y", "F:y/g"}));
}

TEST_F(FolderWalkerTest, ATreeTenThousandFoldersDeepIsWalkedToTheBottom) {
    constexpr int kDepth = 10000;
    tree.AddDeepChain("deep", kDepth, "d", "bottom.txt");
    tree.AddFile("z.txt");
    RecordingVisitor visitor(tree.path());
    EXPECT_EQ(Walk(visitor), WalkEnd::Completed);
    ASSERT_EQ(visitor.events.size(), static_cast<std::size_t>(kDepth + 4));
    EXPECT_EQ(visitor.events[1], "F:z.txt");
    EXPECT_EQ(visitor.events.back().substr(visitor.events.back().size() - 13), "/d/bottom.txt");
    EXPECT_GT(visitor.longestPath, static_cast<std::size_t>(PATH_MAX));
    EXPECT_TRUE(fake.dialogs.questions.empty());
}

TEST_F(FolderWalkerTest, FoldersClosedOnTheWayDownAreReopenedForTheirLaterSubfolders) {
    tree.AddDeepChain("top/a", 120, "d", "");
    tree.AddFile("top/b/after.txt");
    RecordingVisitor visitor(tree.path());
    EXPECT_EQ(Walk(visitor), WalkEnd::Completed);
    EXPECT_EQ(visitor.events.back(), "F:top/b/after.txt");
    EXPECT_TRUE(fake.dialogs.questions.empty());
}

TEST_F(FolderWalkerTest, AnUnreadableFolderAsksAndNoSkipsItWhileYesStops) {
    for (const bool stop : {false, true}) {
        SCOPED_TRACE(stop ? "yes" : "no");
        testing::TempTree local;
        local.AddFile("f");
        local.AddFile("gone/inside");
        local.AddFile("kept/k");
        testing::FakeJobContext job;
        job.dialogs.answer = stop;
        RecordingVisitor visitor(local.path());
        // The folder vanishes after its parent was read: opening it fails whoever runs the test.
        visitor.onFile = [&](const std::string& name) {
            if (name == "f") std::filesystem::remove_all(local / "gone");
        };
        FolderWalkOptions options;
        options.filePattern = &pattern;
        const WalkEnd end = WalkFolderTree(local.path(), options, visitor, job.context);
        ASSERT_EQ(job.dialogs.questions.size(), 1u);
        EXPECT_EQ(job.dialogs.questions[0], local / "gone" + std::string(kFolderReadFailedQuestion));
        if (stop) {
            EXPECT_EQ(end, WalkEnd::Cancelled);
            EXPECT_EQ(visitor.events, (Events{"D:.", "F:f"}));
        } else {
            EXPECT_EQ(end, WalkEnd::Completed);
            EXPECT_EQ(visitor.events, (Events{"D:.", "F:f", "D:kept", "F:kept/k"}));
        }
    }
}

// Through a file system in memory: the refusal happens whoever runs the test.
TEST_F(FolderWalkerTest, AFolderWithoutReadPermissionAsksAndNoSkipsItWhileYesStops) {
    for (const bool stop : {false, true}) {
        SCOPED_TRACE(stop ? "yes" : "no");
        testing::FakeFileSystem files;
        files.AddFile("/r/a/secret");
        files.AddFile("/r/b/open");
        files.FailOpening("/r/a", std::errc::permission_denied);
        testing::FakeJobContext job;
        job.context.fileSystem = &files;
        job.dialogs.answer = stop;
        RecordingVisitor visitor("/r");
        FolderWalkOptions options;
        options.filePattern = &pattern;
        const WalkEnd end = WalkFolderTree("/r", options, visitor, job.context);
        EXPECT_EQ(job.dialogs.questions, (Events{"/r/a" + std::string(kFolderReadFailedQuestion)}));
        EXPECT_EQ(end, stop ? WalkEnd::Cancelled : WalkEnd::Completed);
        EXPECT_EQ(visitor.events, (stop ? Events{"D:."} : Events{"D:.", "D:b", "F:b/open"}));
    }
}

// A folder gone while it is read shows none of it, and the walk asks about it.
TEST_F(FolderWalkerTest, AFolderVanishingWhileReadAsksAndShowsNothingOfIt) {
    testing::FakeFileSystem files;
    files.AddFile("/r/a/one");
    files.AddFile("/r/a/two");
    files.AddFile("/r/a/deeper/three");
    files.AddFile("/r/b/kept");
    files.VanishWhileRead("/r/a");
    fake.context.fileSystem = &files;
    RecordingVisitor visitor("/r");
    FolderWalkOptions options;
    options.filePattern = &pattern;
    EXPECT_EQ(WalkFolderTree("/r", options, visitor, fake.context), WalkEnd::Completed);
    EXPECT_EQ(fake.dialogs.questions, (Events{"/r/a" + std::string(kFolderReadFailedQuestion)}));
    EXPECT_EQ(visitor.events, (Events{"D:.", "D:b", "F:b/kept"}));
}

TEST_F(FolderWalkerTest, ACancelDuringTheWalkEndsItAtTheNextItem) {
    for (int i = 0; i < 5; ++i) tree.AddFile("f" + std::to_string(i));
    tree.AddFile("sub/s");
    testing::CancelOnPump(fake, 3);
    RecordingVisitor visitor(tree.path());
    EXPECT_EQ(Walk(visitor), WalkEnd::Cancelled);
    EXPECT_EQ(visitor.events, (Events{"D:.", "F:f0"}));
}

TEST_F(FolderWalkerTest, ACancelIsSeenWhileABigFolderIsRead) {
    for (int i = 0; i < 10000; ++i) tree.AddFile("f" + std::to_string(i));
    testing::CancelOnPump(fake, 2);
    RecordingVisitor visitor(tree.path());
    EXPECT_EQ(Walk(visitor), WalkEnd::Cancelled);
    EXPECT_TRUE(visitor.events.empty());
    EXPECT_EQ(fake.progress.pumps, 2);
}

TEST_F(FolderWalkerTest, AMissingStartFolderAsks) {
    RecordingVisitor visitor(tree / "missing");
    FolderWalkOptions options;
    EXPECT_EQ(WalkFolderTree(tree / "missing", options, visitor, fake.context), WalkEnd::Completed);
    EXPECT_EQ(fake.dialogs.questions.size(), 1u);
    EXPECT_TRUE(visitor.events.empty());
}

}  // namespace
}  // namespace pelmora
