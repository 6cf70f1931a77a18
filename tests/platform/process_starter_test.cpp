#include "platform/process_starter.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/command_script.h"
#include "platform/detached_process.h"
#include "tests/support/polling.h"
#include "tests/support/temp_tree.h"

namespace pelmora::platform {
namespace {

using namespace std::chrono_literals;

class ProcessStarterTest : public ::testing::Test {
protected:
    // Waits until the file has a line or the deadline passes.
    static std::string FirstLineOf(const std::string& path) {
        std::string line;
        pelmora::testing::WaitUntil(
            [&] {
                std::ifstream in(path);
                return static_cast<bool>(std::getline(in, line)) && !line.empty();
            },
            10s);
        return line;
    }

    pelmora::testing::TempTree tree_;
    const std::string root_ = tree_.path();
    const std::string script_ = root_ + "/run" + kCommandScriptExtension;
    const std::string output_ = root_ + "/out.txt";
    ProcessStarter& starter_ = SystemProcessStarter();
};

// The words reach the program as they stand and its output lands in the file; a program the
// script cannot execute is told apart from a script that ran.
TEST_F(ProcessStarterTest, ScriptRunsQuotedWordsOrReportsTheMissingProgram) {
    ASSERT_TRUE(
        WriteCommandScript(script_, RedirectedCommandLine({"printf", "%s|", "a  b", "$(x)'y`z`"}, output_, "")));
    EXPECT_EQ(starter_.RunCommandScript(script_, 10s), ScriptRunOutcome::Finished);
    EXPECT_EQ(pelmora::testing::ReadFile(output_), "a  b|$(x)'y`z`|");

    ASSERT_TRUE(WriteCommandScript(script_, RedirectedCommandLine({root_ + "/no-such-tree", root_}, output_, "")));
    EXPECT_EQ(starter_.RunCommandScript(script_, 10s), ScriptRunOutcome::ProgramNotStarted);
    EXPECT_FALSE(WriteCommandScript(root_ + "/missing/run.sh", "true"));
}

// A script still running at the time-out is ended together with the program it started.
TEST_F(ProcessStarterTest, TimedOutScriptEndsWithWhatItStarted) {
    const std::string pidFile = root_ + "/pid";
    ASSERT_TRUE(WriteCommandScript(script_, "sleep 30 & echo $! > '" + pidFile + "'; wait"));
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(starter_.RunCommandScript(script_, 500ms), ScriptRunOutcome::TimedOut);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 10s);
    const long pid = pelmora::testing::ProcessIdFromFile(pidFile);
    ASSERT_GT(pid, 0);
    EXPECT_TRUE(pelmora::testing::WaitUntil([&] { return pelmora::testing::ProcessHasEnded(pid); }, 10s))
        << "the script's program was left running";
}

// A started program gets the file as one argument, untouched by any shell.
TEST_F(ProcessStarterTest, ProgramGetsItsArgumentsWithoutAShell) {
    const std::string program = root_ + "/my program";
    std::ofstream(program) << "#!/bin/sh\nprintf '%s|%s\\n' \"$#\" \"$1\" > '" << output_ << "'\n";
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    const std::string file = root_ + "/a $(touch " + root_ + "/pwned) 'b'.txt";

    EXPECT_TRUE(starter_.StartProgram({program, file}));
    EXPECT_EQ(FirstLineOf(output_), "1|" + file);
    EXPECT_FALSE(std::filesystem::exists(root_ + "/pwned"));
    EXPECT_FALSE(starter_.StartProgram({root_ + "/no-such-program"}));
}

}  // namespace
}  // namespace pelmora::platform
