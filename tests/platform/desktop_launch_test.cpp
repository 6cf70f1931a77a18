#include "platform/desktop_launch.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <memory>
#include <optional>

#include "tests/support/fake_desktop_opener.h"
#include "tests/support/polling.h"
#include "tests/support/temp_tree.h"

namespace pelmora::platform {
namespace {

// The cases beside documents and programs (those are in the launcher's tests): a named
// pipe is examined without waiting for a writer, a missing file runs nothing, a type is
// known whatever its case.
TEST(OpeningRunsProgram, PipesMissingFilesFoldersAndCase) {
    pelmora::testing::TempTree tree;
    const std::string pipe = tree / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0755), 0);
    EXPECT_FALSE(OpeningRunsProgram(pipe));
    EXPECT_FALSE(OpeningRunsProgram(tree / "missing"));
    EXPECT_TRUE(OpeningRunsProgram(tree.AddFile("Tool.appimage", "")));
    EXPECT_FALSE(OpeningRunsProgram(tree.AddFile("sh", "")));
    EXPECT_FALSE(OpeningRunsProgram(tree.AddFolder("folder.sh")));
}

// What cannot be read counts as a program when it may be executed.
TEST(OpeningRunsProgram, UnreadableFileWithAnExecuteBit) {
    pelmora::testing::TempTree tree;
    const std::string hidden = tree.AddFile("hidden-program", "#!/bin/sh\n");
    ASSERT_EQ(::chmod(hidden.c_str(), 0111), 0);
    if (::access(hidden.c_str(), R_OK) == 0) GTEST_SKIP() << "running with every permission";
    EXPECT_TRUE(OpeningRunsProgram(hidden));
    ASSERT_EQ(::chmod(hidden.c_str(), 0000), 0);
    EXPECT_FALSE(OpeningRunsProgram(hidden));
}

std::optional<OpenerOutcome> OpenAndWait(const std::string& path) {
    auto reported = std::make_shared<std::atomic<int>>(-1);
    OpenWithDefaultProgramReporting(path, [reported](OpenerOutcome outcome) { *reported = static_cast<int>(outcome); });
    if (!pelmora::testing::WaitUntil([&] { return *reported >= 0; })) return std::nullopt;
    return static_cast<OpenerOutcome>(reported->load());
}

// The opener's ending tells whether the file was shown, and the path reaches it as one
// argument, spaces and all.
TEST(OpenWithDefaultProgramReporting, TheOpenersEndingIsReported) {
    pelmora::testing::FakeDesktopOpener opener;
    const std::string file = opener.tree.AddFile("read me.txt", "text");
    opener.Install(0);
    EXPECT_EQ(OpenAndWait(file), OpenerOutcome::Opened);
    EXPECT_EQ(opener.Argument(), file);
    opener.Install(4);  // a desktop entry whose program is missing
    EXPECT_EQ(OpenAndWait(file), OpenerOutcome::Failed);
    opener.Install(3);  // nothing at all to open the file with
    EXPECT_EQ(OpenAndWait(file), OpenerOutcome::NoOpener);
    opener.Remove();
    EXPECT_EQ(OpenAndWait(file), OpenerOutcome::NoOpener);
}

}  // namespace
}  // namespace pelmora::platform
