#include "platform/isolated_call.h"

#include <gtest/gtest.h>

#include <sys/prctl.h>
#include <sys/resource.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

#include "tests/support/polling.h"
#include "tests/support/temp_tree.h"

namespace pelmora::platform {
namespace {

using namespace std::chrono_literals;

TEST(IsolatedCall, GivesTheTextAndSurvivesAWorkThatFaultsOrHangs) {
    const std::string large(300000, 'x');  // more than a pipe holds at once
    EXPECT_EQ(RunIsolated([&large] { return large; }, 30s), large);
    EXPECT_EQ(RunIsolated([] { return std::string(); }, 30s), std::string());
    // What the work changes stays in its own copy of the process.
    int touched = 0;
    EXPECT_TRUE(RunIsolated([&touched] { touched = 1; return std::string("done"); }, 30s).has_value());
    EXPECT_EQ(touched, 0);

    EXPECT_FALSE(RunIsolated([]() -> std::string { std::raise(SIGSEGV); return "never"; }, 30s).has_value());
    EXPECT_FALSE(RunIsolated([]() -> std::string { throw std::runtime_error("refused"); }, 30s).has_value());
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(RunIsolated([] { std::this_thread::sleep_for(60s); return std::string("late"); }, 200ms).has_value());
    EXPECT_LT(std::chrono::steady_clock::now() - start, 30s);
}

// What a window needs to wait without blocking: a call that ends at once when told, and one
// whose work lets go of the pipe early that does not hold its caller until the work ends.
TEST(IsolatedCall, EndsAtOnceAndIsNotHeldByAWorkThatRunsOn) {
    testing::TempTree folder;
    const std::string pidFile = folder / "child.pid";
    const std::unique_ptr<IsolatedCall> call = StartIsolated([&pidFile] {
        std::ofstream(pidFile) << ::getpid() << std::endl;
        std::this_thread::sleep_for(60s);
        return std::string("late");
    });
    ASSERT_NE(call, nullptr);
    const long child = testing::ProcessIdFromFile(pidFile);
    ASSERT_GT(child, 0);
    EXPECT_FALSE(call->Collect());
    EXPECT_FALSE(testing::ProcessHasEnded(child));
    call->End();
    EXPECT_TRUE(testing::ProcessHasEnded(child));
    EXPECT_TRUE(call->Collect());
    EXPECT_FALSE(call->Result().has_value());

    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(RunIsolated(
                     [] {
                         for (int fd = 3; fd < 1024; ++fd) ::close(fd);
                         std::this_thread::sleep_for(60s);
                         return std::string("late");
                     },
                     30s)
                     .has_value());
    EXPECT_LT(std::chrono::steady_clock::now() - start, 20s);
}

// A helper program started afresh answers the same way; one that hangs ends at once.
TEST(IsolatedCall, AProgramStartedAfreshAnswersAndEndsAtOnce) {
    const auto answer = WaitForIsolated(
        [] { return StartIsolatedProgram({"/bin/sh", "-c", "printf '\\005\\0\\0\\0\\0\\0\\0\\0hello'"}); }, 30s);
    EXPECT_EQ(answer, "hello");
    // Cut short, or not started at all: no answer.
    EXPECT_FALSE(WaitForIsolated(
        [] { return StartIsolatedProgram({"/bin/sh", "-c", "printf '\\011\\0\\0\\0\\0\\0\\0\\0hello'"}); }, 30s));
    EXPECT_EQ(StartIsolatedProgram({"/nonexistent/helper"}), nullptr);
    // An answer announced larger than any picture is refused at once, not waited for.
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(WaitForIsolated(
        [] { return StartIsolatedProgram({"/bin/sh", "-c", "printf '\\0\\0\\0\\0\\1\\0\\0\\0'; exec sleep 60"}); },
        30s));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);

    const std::unique_ptr<IsolatedCall> hanging = StartIsolatedProgram({"/bin/sh", "-c", "exec sleep 60"});
    ASSERT_NE(hanging, nullptr);
    const auto ending = std::chrono::steady_clock::now();
    EXPECT_FALSE(hanging->Collect());
    hanging->End();
    EXPECT_TRUE(hanging->Collect());
    EXPECT_FALSE(hanging->Result().has_value());
    EXPECT_LT(std::chrono::steady_clock::now() - ending, 10s);
}

// Started with this set in its environment, this test program is a helper that leaves its
// answer in the block and a child that keeps the block mapped for writing.
constexpr const char* kKeepsBlockMapped = "PELMORA_TEST_KEEPS_BLOCK_MAPPED";
[[maybe_unused]] const bool kRunAsHelper = [] {
    if (std::getenv(kKeepsBlockMapped) == nullptr) return false;
    const std::unique_ptr<WritableSharedBlock> block = OpenSharedAnswerBlock(4096);
    if (!block) _exit(1);
    std::memcpy(block->Data(), "hello", 5);
    if (::fork() == 0) {
        std::this_thread::sleep_for(3s);
        _exit(0);
    }
    WriteIsolatedAnswer("ok");
    std::this_thread::sleep_for(30s);
    _exit(0);
}();

// A large answer comes in a block shared with the helper alone; the caller maps only what the
// helper left, within the size it allows, and only once nobody can change it any more.
TEST(IsolatedCall, AHelperLeavesItsLargeAnswerInASharedBlock) {
    const auto answered = [](const std::string& script, const SharedAnswerBlock& block) {
        return WaitForIsolated([&] { return StartIsolatedProgram({"/bin/sh", "-c", script}, &block); }, 30s);
    };
    const std::string ok = "printf '\\002\\0\\0\\0\\0\\0\\0\\0ok'";
    std::unique_ptr<SharedAnswerBlock> block = MakeSharedAnswerBlock();
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(answered("printf hello >&3; " + ok, *block), "ok");
    const std::shared_ptr<const SharedAnswerBytes> bytes = block->Take(5);
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(std::string_view(static_cast<const char*>(bytes->Data()), bytes->Size()), "hello");

    // More than allowed is refused before it is mapped.
    block = MakeSharedAnswerBlock();
    EXPECT_EQ(answered("printf hello >&3; " + ok, *block), "ok");
    EXPECT_EQ(block->Take(4), nullptr);

    // Each call's block is new: nothing of an earlier answer is in it.
    block = MakeSharedAnswerBlock();
    EXPECT_EQ(answered(ok, *block), "ok");
    const auto empty = block->Take(5);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->Size(), 0u);

    // A process the helper started still maps the block for writing: it could change the
    // bytes while they are read, so they are refused.
    block = MakeSharedAnswerBlock();
    setenv(kKeepsBlockMapped, "1", 1);
    const auto kept = WaitForIsolated([&] { return StartIsolatedProgram({"/proc/self/exe"}, block.get()); }, 30s);
    unsetenv(kKeepsBlockMapped);
    EXPECT_EQ(kept, "ok");
    EXPECT_EQ(block->Take(4096), nullptr);

    // A helper started without a block has none to write to.
    EXPECT_EQ(WaitForIsolated([] { return StartIsolatedProgram({"/bin/sh", "-c", "printf x >&3 || exit 1; printf '\\0\\0\\0\\0\\0\\0\\0\\0'"}); }, 30s),
              std::nullopt);
    // Nor does this process, which was started without one.
    EXPECT_EQ(OpenSharedAnswerBlock(16), nullptr);
}

// The child is a copy of the program's memory: a crash there must not leave it in a core
// file, even when the program itself may dump core.
TEST(IsolatedCall, TheChildCannotDumpItsMemory) {
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_CORE, &saved), 0);
    rlimit allowed = saved;
    allowed.rlim_cur = saved.rlim_max;
    ASSERT_EQ(::setrlimit(RLIMIT_CORE, &allowed), 0);
    ASSERT_EQ(::prctl(PR_GET_DUMPABLE), 1);

    const auto facts = RunIsolated(
        [] {
            rlimit core{};
            ::getrlimit(RLIMIT_CORE, &core);
            return std::to_string(core.rlim_cur) + " " + std::to_string(core.rlim_max) + " " +
                   std::to_string(::prctl(PR_GET_DUMPABLE));
        },
        30s);
    EXPECT_EQ(facts, "0 0 0");
    // The program keeps its own settings.
    EXPECT_EQ(::prctl(PR_GET_DUMPABLE), 1);
    ASSERT_EQ(::setrlimit(RLIMIT_CORE, &saved), 0);
}

// Where the system writes core files into the crashing process's folder, a crash of the
// isolated work leaves none there, while a plain copy of the process crashing the same way
// does.
TEST(IsolatedCall, ACrashLeavesNoCoreFile) {
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_CORE, &saved), 0);
    // Small cores are enough to tell (a sanitizer's process maps terabytes).
    rlimit allowed = saved;
    allowed.rlim_cur = std::min<rlim_t>(saved.rlim_max, rlim_t{64} << 20);
    ASSERT_EQ(::setrlimit(RLIMIT_CORE, &allowed), 0);
    testing::TempTree plain;
    testing::TempTree isolated;
    const auto crashIn = [](const std::string& folder) {
        if (::chdir(folder.c_str()) != 0) _exit(2);
        std::signal(SIGSEGV, SIG_DFL);
        std::raise(SIGSEGV);
        return std::string("never");
    };
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        crashIn(plain / "");
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    const bool systemDumps = WIFSIGNALED(status) && WCOREDUMP(status);

    EXPECT_FALSE(RunIsolated([&] { return crashIn(isolated / ""); }, 30s).has_value());
    ASSERT_EQ(::setrlimit(RLIMIT_CORE, &saved), 0);
    EXPECT_TRUE(std::filesystem::is_empty(isolated / ""));
    if (!systemDumps) GTEST_SKIP() << "this system writes no core file of a crash into its folder";
    EXPECT_FALSE(std::filesystem::is_empty(plain / ""));
}

}  // namespace
}  // namespace pelmora::platform
