#include "platform/desktop_launch.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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

}  // namespace
}  // namespace pelmora::platform
