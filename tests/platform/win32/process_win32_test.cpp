// Starting programs on Windows: argument quoting, exit codes, ending a child with all it
// started, and the tree command's batch script.
#include <windows.h>

#include <shellapi.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/command_script.h"
#include "platform/file_system.h"
#include "platform/native_path.h"
#include "platform/process_runner.h"
#include "platform/process_starter.h"
#include "platform/temporary_folder.h"
#include "platform/win32/job_process_win32.h"
#include "platform/win32/wide_path_win32.h"

namespace pelmora::platform {
namespace {

TEST(Win32CommandLine, EveryArgumentReadsBackUnchanged) {
    const std::vector<std::string> arguments = {
        "program.exe", "", "two words", "a\"quote", "trailing\\", "C:\\path with space\\",
        "\\\\server\\share", "back\\\\\"slash", "日本語", "tab\there"};
    const std::wstring line = win32::CommandLineOf(arguments);
    int count = 0;
    wchar_t** parsed = CommandLineToArgvW(line.c_str(), &count);
    ASSERT_NE(parsed, nullptr);
    ASSERT_EQ(count, static_cast<int>(arguments.size())) << win32::Utf8FromWide(line);
    for (int i = 0; i < count; ++i) EXPECT_EQ(win32::Utf8FromWide(parsed[i]), arguments[static_cast<std::size_t>(i)]);
    LocalFree(parsed);
}

TEST(Win32ChildProcess, ReportsTheExitCode) {
    std::string error;
    auto child = ChildProcess::Start({"cmd.exe", "/d", "/c", "exit 7"}, error);
    ASSERT_TRUE(child) << error;
    ASSERT_TRUE(child->WaitFor(std::chrono::seconds(30)));
    EXPECT_TRUE(child->HasEnded());
    EXPECT_EQ(child->ExitCode(), 7);

    EXPECT_FALSE(ChildProcess::Start({"no-such-program-pelmora.exe"}, error));
    EXPECT_FALSE(error.empty());
}

// A child that runs until it is ended: this program itself, running the helper below.
std::vector<std::string> EndlessChild() {
    return {ProgramExecutable(), "--gtest_also_run_disabled_tests", "--gtest_filter=Win32ChildHelper.DISABLED_RunsUntilEnded"};
}

// Not a test: the endless child of the tests here. It waits on an event nobody sets, a
// minute at most, so a child that was not ended does not outlive the run by much.
TEST(Win32ChildHelper, DISABLED_RunsUntilEnded) {
    const HANDLE never = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    WaitForSingleObject(never, 60000);
    CloseHandle(never);
}

TEST(Win32ChildProcess, KillEndsAChildThatWouldRunForever) {
    std::string error;
    auto child = ChildProcess::Start(EndlessChild(), error);
    ASSERT_TRUE(child) << error;
    EXPECT_FALSE(child->WaitFor(std::chrono::milliseconds(100)));
    child->Kill();
    EXPECT_TRUE(child->HasEnded());
}

class Win32CommandScript : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(base_.empty());
        // The script's own path has a space and Japanese; the output's has a space and "%"
        // (Wine's cmd reads a batch file's lines in the OEM code page whatever chcp says, so
        // names beyond ASCII inside the script are left to a test on Windows itself).
        folder_ = JoinPath(base_, "木 構造");
        ASSERT_TRUE(CreateDirectoryW(win32::WidePath(folder_).c_str(), nullptr));
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(NativePath(base_), ignored);
    }
    ScriptRunOutcome Run(const std::vector<std::string>& command, std::chrono::milliseconds timeout) {
        const std::string script = JoinPath(folder_, std::string("run") + kCommandScriptExtension);
        EXPECT_TRUE(WriteCommandScript(script, RedirectedCommandLine(command, output(), "")));
        return SystemProcessStarter().RunCommandScript(script, timeout);
    }
    std::string output() const { return JoinPath(base_, "out 1%.txt"); }
    std::string Output() const {
        std::ifstream in(NativePath(output()), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::string base_ = CreatePrivateTemporaryFolder("pelmora-script-");
    std::string folder_;
};

TEST_F(Win32CommandScript, RunsTheCommandIntoTheOutputFile) {
    // As the tree command runs pelmora-tree: a program by its full path, with arguments.
    EXPECT_EQ(Run({ProgramExecutable(), "--gtest_list_tests", "--gtest_filter=Win32CommandScript.*"},
                  std::chrono::seconds(30)),
              ScriptRunOutcome::Finished);
    EXPECT_NE(Output().find("RunsTheCommandIntoTheOutputFile"), std::string::npos) << Output();
}

TEST_F(Win32CommandScript, AProgramThatIsNotThereIsReported) {
    EXPECT_EQ(Run({"no-such-program-pelmora"}, std::chrono::seconds(30)), ScriptRunOutcome::ProgramNotStarted);
}

TEST_F(Win32CommandScript, TimesOutAndEndsTheScriptsPrograms) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Run(EndlessChild(), std::chrono::milliseconds(2000)), ScriptRunOutcome::TimedOut);
    // Ended at the time-out, not when the child would have given up by itself.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
}

}  // namespace
}  // namespace pelmora::platform
