#include "listing/engine/folder_walker.h"

#include <unistd.h>

#include <climits>
#include <algorithm>
#include <chrono>
#include <filesystem>

#include <gtest/gtest.h>

#include "i18n/translation.h"
#include "listing/console/console_job_context.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fake_job_context.h"
#include "listing/engine/listing_messages.h"
#include "tests/support/temp_tree.h"
#include "tests/support/walk_race_trees.h"

namespace pelmora {
namespace {

using Events = std::vector<std::string>;

// Records the walk relative to the start folder: "D:" for a folder, "F:" for a file.
class RecordingVisitor : public FolderWalkVisitor {
public:
    explicit RecordingVisitor(std::string start) : start_(std::move(start)) {}
    void ReadFiles(const std::string& folderPath, const platform::OpenFolder& folder,
                   const std::vector<std::string>& names, FolderBatch& batch,
                   const KeepReading& keepGoing) const override {
        std::string path;
        for (const std::string& name : names) {
            if (!keepGoing()) return;
            if (statFiles && !folder.EntryFacts(name, false)) continue;
            path = folderPath;
            AppendChildPath(path, name);
            batch.lines.Add(path);
        }
    }
    void EnterFolder(const std::string& path, FolderBatch& batch, std::size_t) override {
        events.push_back("D:" + Relative(path));
        for (std::size_t i = 0; i < batch.lines.Count(); ++i) {
            longestPath = std::max(longestPath, batch.lines.At(i).size());
            events.push_back("F:" + Relative(std::string(batch.lines.At(i))));
        }
    }
    Events events;
    std::size_t longestPath = 0;
    bool statFiles = false;

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
        EXPECT_EQ(job.dialogs.questions, (Events{"/r/a" + Translated(kFolderReadFailedQuestion)}));
        EXPECT_EQ(end, stop ? WalkEnd::Cancelled : WalkEnd::Completed);
        EXPECT_EQ(visitor.events, (stop ? Events{"D:."} : Events{"D:.", "D:b", "F:b/open"}));
    }
}

// In a terminal run the unreadable-folder question follows the caller's rule, and each
// folder is kept with the reason it could not be read, for the caller to name.
TEST_F(FolderWalkerTest, ATerminalRunSkipsOrStopsAtUnreadableFoldersByItsRule) {
    for (const UnreadableFolderRule rule : {UnreadableFolderRule::Skip, UnreadableFolderRule::Stop}) {
        const bool skip = rule == UnreadableFolderRule::Skip;
        SCOPED_TRACE(skip ? "skip" : "stop");
        testing::FakeFileSystem files;
        files.AddFile("/r/a/secret");
        files.AddFile("/r/b/open");
        files.AddFile("/r/c/gone/x");
        files.FailOpening("/r/a", std::errc::permission_denied);
        files.FailOpening("/r/c/gone", std::errc::no_such_file_or_directory);
        // --yes answers the questions that start a command, never this one.
        ConsoleJobContext job(true, false, false, {}, rule);
        job.context.fileSystem = &files;
        RecordingVisitor visitor("/r");
        FolderWalkOptions options;
        options.filePattern = &pattern;
        const WalkEnd end = WalkFolderTree("/r", options, visitor, job.context);
        const std::vector<UnreadableFolder>& unreadable = job.dialogs.UnreadableFolders();
        if (skip) {
            EXPECT_EQ(end, WalkEnd::Completed);
            EXPECT_EQ(visitor.events, (Events{"D:.", "D:b", "F:b/open", "D:c"}));
            ASSERT_EQ(unreadable.size(), 2u);
            EXPECT_EQ(unreadable[1].path, "/r/c/gone");
            EXPECT_EQ(unreadable[1].reason, std::errc::no_such_file_or_directory);
            EXPECT_TRUE(unreadable[1].skipped);
        } else {
            EXPECT_EQ(end, WalkEnd::Cancelled);
            EXPECT_EQ(visitor.events, (Events{"D:."}));
            ASSERT_EQ(unreadable.size(), 1u);
        }
        EXPECT_EQ(unreadable[0].path, "/r/a");
        EXPECT_EQ(unreadable[0].reason, std::errc::permission_denied);
        EXPECT_EQ(unreadable[0].skipped, skip);
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
    EXPECT_EQ(fake.dialogs.questions, (Events{"/r/a" + Translated(kFolderReadFailedQuestion)}));
    EXPECT_EQ(visitor.events, (Events{"D:.", "D:b", "F:b/kept"}));
}

TEST_F(FolderWalkerTest, ACancelDuringTheWalkKeepsOnlyWhatCameBeforeIt) {
    for (int i = 0; i < 5; ++i) tree.AddFile("f" + std::to_string(i));
    tree.AddFile("sub/s");
    tree.AddFile("sub/deeper/t");
    tree.AddFile("tail/u");
    RecordingVisitor whole(tree.path());
    Walk(whole);
    testing::CancelOnPump(fake, fake.progress.pumps + 3);
    RecordingVisitor visitor(tree.path());
    EXPECT_EQ(Walk(visitor), WalkEnd::Cancelled);
    ASSERT_LT(visitor.events.size(), whole.events.size());
    EXPECT_TRUE(std::equal(visitor.events.begin(), visitor.events.end(), whole.events.begin()));
}

TEST_F(FolderWalkerTest, ACancelIsSeenWhileABigFolderIsRead) {
    for (int i = 0; i < 10000; ++i) tree.AddFile("f" + std::to_string(i));
    testing::CancelOnPump(fake, 2);
    RecordingVisitor visitor(tree.path());
    FolderWalkOptions options;
    options.filePattern = &pattern;
    options.threads = 1;  // the folder is read on the calling thread, which pumps while reading
    EXPECT_EQ(WalkFolderTree(tree.path(), options, visitor, fake.context), WalkEnd::Cancelled);
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

// What a walk gave: the events, the questions asked and how it ended.
struct WalkRecord {
    Events events, questions;
    WalkEnd end = WalkEnd::Completed;
    bool operator==(const WalkRecord&) const = default;
};

WalkRecord RecordWalk(const std::string& start, platform::FileSystem* files, std::size_t threads, bool stopAnswer) {
    testing::FakeJobContext job;
    job.context.fileSystem = files;
    job.dialogs.answer = stopAnswer;
    const WildcardPattern everything("*");
    FolderWalkOptions options;
    options.filePattern = &everything;
    options.showHidden = true;
    options.threads = threads;
    RecordingVisitor visitor(start);
    visitor.statFiles = true;
    WalkRecord record;
    record.end = WalkFolderTree(start, options, visitor, job.context);
    record.events = std::move(visitor.events);
    record.questions = std::move(job.dialogs.questions);
    return record;
}

// Workers read ahead in whatever order their timing gives; the walk order must not show it.
// Each case is walked twenty times on several threads against the walk on one.
TEST(ParallelFolderWalkTest, GivesTheSingleThreadWalkWhateverTheTiming) {
    testing::TempTree links;
    testing::AddLinksAndOddNames(links);
    testing::FakeFileSystem files;
    testing::AddFoldersWithUnreadableOnes(files);

    struct Case {
        std::string name, start;
        platform::FileSystem* files;
        bool vanishing;
    };
    const std::vector<Case> cases = {{"links and odd names", links.path(), nullptr, false},
                                     {"unreadable folders", "/r", &files, false},
                                     {"vanishing folders", "/r", &files, true}};
    for (const Case& walkCase : cases) {
        for (const bool stop : {false, true}) {
            SCOPED_TRACE(walkCase.name + (stop ? ", yes to stop" : ", no to stop"));
            // A vanishing folder is gone after one walk: each walk gets it back first.
            auto prepare = [&] {
                if (walkCase.vanishing) testing::MakeFoldersVanish(files);
            };
            prepare();
            const WalkRecord single = RecordWalk(walkCase.start, walkCase.files, 1, stop);
            EXPECT_FALSE(single.events.empty());
            for (int repetition = 0; repetition < 20; ++repetition) {
                prepare();
                ASSERT_EQ(RecordWalk(walkCase.start, walkCase.files, 4, stop), single) << "repetition " << repetition;
            }
        }
    }
}

// A cancel raised while workers read a 200,000-file tree ends the walk soon after.
TEST(ParallelFolderWalkTest, ACancelStopsTheWorkersWithinAFewDozenMilliseconds) {
    testing::FakeFileSystem files;
    for (int folder = 0; folder < 2000; ++folder) {
        const std::string path = "/big/" + std::to_string(folder / 50) + "/" + std::to_string(folder);
        for (int file = 0; file < 100; ++file) files.AddFile(path + "/" + std::to_string(file));
    }
    testing::FakeJobContext job;
    job.context.fileSystem = &files;
    std::chrono::steady_clock::time_point raised;
    job.progress.onPump = [&](int count) {
        if (count == 3) {
            raised = std::chrono::steady_clock::now();
            job.cancel.Raise();
        }
    };
    const WildcardPattern everything("*");
    FolderWalkOptions options;
    options.filePattern = &everything;
    options.threads = 4;
    RecordingVisitor visitor("/big");
    visitor.statFiles = true;
    EXPECT_EQ(WalkFolderTree("/big", options, visitor, job.context), WalkEnd::Cancelled);
    const auto returned = std::chrono::steady_clock::now();
    EXPECT_LT(visitor.events.size(), 2000u + 200000u);
    // 100 ms is the aim; the bound leaves room for a loaded machine.
    EXPECT_LT(returned - raised, std::chrono::milliseconds(400));
}

}  // namespace
}  // namespace pelmora
