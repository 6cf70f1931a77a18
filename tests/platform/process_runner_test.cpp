#include "platform/process_runner.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "tests/support/polling.h"
#include "tests/support/temp_tree.h"

namespace pelmora::platform {
namespace {

class ProcessRunnerTest : public ::testing::Test {
protected:
    pelmora::testing::TempTree tree_;
    const std::string root_ = tree_.path();
};

TEST_F(ProcessRunnerTest, ChildEndsWithItsStatusOrIsReportedNotStarted) {
    std::string error;
    auto child = ChildProcess::Start({"sh", "-c", "exit 3"}, error);
    ASSERT_NE(child, nullptr) << error;
    EXPECT_TRUE(child->WaitFor(std::chrono::seconds(10)));
    EXPECT_TRUE(WIFEXITED(child->ExitStatus()));
    EXPECT_EQ(WEXITSTATUS(child->ExitStatus()), 3);

    EXPECT_EQ(ChildProcess::Start({root_ + "/no-such-program"}, error), nullptr);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ChildProcess::Start({}, error), nullptr);
}

// Ending a child ends what it started, too: a script's program must not run on.
TEST_F(ProcessRunnerTest, KillEndsTheWholeProcessGroup) {
    const std::string grandchildPid = root_ + "/grandchild.pid";
    const std::string abandonedPid = root_ + "/abandoned.pid";
    std::string error;
    auto child = ChildProcess::Start({"sh", "-c", "sleep 30 & echo $! > '" + grandchildPid + "'; wait"}, error);
    ASSERT_NE(child, nullptr) << error;
    // Destroying a running child ends it as well.
    auto abandoned = ChildProcess::Start({"sh", "-c", "sleep 30 & echo $! > '" + abandonedPid + "'; wait"}, error);
    ASSERT_NE(abandoned, nullptr) << error;
    const long grandchild = testing::ProcessIdFromFile(grandchildPid);
    const long abandonedGrandchild = testing::ProcessIdFromFile(abandonedPid);
    ASSERT_GT(grandchild, 0);
    ASSERT_GT(abandonedGrandchild, 0);
    EXPECT_FALSE(child->WaitFor(std::chrono::milliseconds(100)));
    child->Kill();
    EXPECT_TRUE(child->HasEnded());
    abandoned.reset();
    EXPECT_TRUE(testing::WaitUntil([&] { return testing::ProcessHasEnded(grandchild); }));
    EXPECT_TRUE(testing::WaitUntil([&] { return testing::ProcessHasEnded(abandonedGrandchild); }));
}

TEST_F(ProcessRunnerTest, IndependentProgramStartsOrSaysWhyNot) {
    const std::string marker = root_ + "/started";
    std::string error;
    EXPECT_TRUE(StartIndependentProgram({"touch", marker}, error)) << error;
    EXPECT_TRUE(testing::WaitUntil([&] { return std::filesystem::exists(marker); }));

    error.clear();
    EXPECT_FALSE(StartIndependentProgram({root_ + "/no-such-program"}, error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace pelmora::platform
