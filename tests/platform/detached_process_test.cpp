#include "platform/detached_process.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <string>

#include "tests/support/polling.h"

using namespace std::chrono_literals;
using pelmora::platform::DetachedStart;
using pelmora::platform::ProcessIsAlive;
using pelmora::platform::StartDetachedProcess;

namespace {

// Kills a helper the test started, whatever the outcome of the test.
struct HelperGuard {
    int pid = -1;
    ~HelperGuard() {
        if (pid > 0 && ProcessIsAlive(pid)) kill(pid, SIGKILL);
    }
};

DetachedStart StartShell(const std::string& script, const std::string& input, std::chrono::milliseconds timeout,
                         HelperGuard& guard) {
    DetachedStart start = StartDetachedProcess("/bin/sh", {"-c", script}, input, timeout);
    guard.pid = start.processId;
    return start;
}

bool EndsWithin(int pid, std::chrono::milliseconds limit) {
    return pelmora::testing::WaitUntil([pid] { return !ProcessIsAlive(pid); }, limit);
}

TEST(DetachedProcess, InputArrivesWholeAndTheFirstLineComesBack) {
    struct Case {
        const char* script;
        std::string input;
        std::string reply;
    };
    const Case cases[] = {
        {"read -r line; echo \"got:$line\"; echo second", "hello world\n", "got:hello world"},
        {"read -r line; echo \"[$line]\"", "", "[]"},  // empty input is an immediate end of file
        {"wc -c | tr -d ' '", std::string(1 << 20, 'x'), "1048576"},  // more than any pipe buffer
        {"printf 'no line end'", "", "no line end"},
    };
    for (const Case& c : cases) {
        HelperGuard guard;
        DetachedStart start = StartShell(c.script, c.input, 20s, guard);
        ASSERT_GT(start.processId, 0) << c.script;
        ASSERT_TRUE(start.reply.has_value()) << c.script;
        EXPECT_EQ(*start.reply, c.reply) << c.script;
    }
}

TEST(DetachedProcess, HelperWithoutAnswerGivesNoReply) {
    {
        HelperGuard guard;
        DetachedStart start = StartShell("exit 3", "", 30s, guard);
        EXPECT_FALSE(start.reply.has_value());
    }
    {
        DetachedStart start = StartDetachedProcess("/nonexistent/program", {}, "text", 30s);
        EXPECT_FALSE(start.reply.has_value());
    }
    {
        // Silent and never ending: given up at the deadline and killed, not left behind.
        HelperGuard guard;
        DetachedStart start = StartShell("sleep 60", "", 300ms, guard);
        EXPECT_FALSE(start.reply.has_value());
        ASSERT_GT(start.processId, 0);
        EXPECT_TRUE(EndsWithin(start.processId, 10s));
    }
}

TEST(DetachedProcess, HelperLivesOnInItsOwnSessionAwayFromOurFiles) {
    // A descriptor we leave open without close-on-exec must not reach the helper, or a
    // reader of it would wait for as long as the helper lives.
    int leak[2];
    ASSERT_EQ(pipe(leak), 0);

    HelperGuard guard;
    DetachedStart start = StartShell(
        "set -- $(cat /proc/$$/stat); echo \"$6 $(pwd)\"; exec >/dev/null; sleep 60", "", 20s, guard);
    close(leak[1]);
    ASSERT_TRUE(start.reply.has_value());

    const std::string session = start.reply->substr(0, start.reply->find(' '));
    EXPECT_NE(session, std::to_string(getsid(0)));
    EXPECT_EQ(start.reply->substr(start.reply->find(' ') + 1), "/");
    EXPECT_TRUE(ProcessIsAlive(start.processId));

    char byte;
    EXPECT_EQ(read(leak[0], &byte, 1), 0);  // end of file at once: nobody else holds the pipe
    close(leak[0]);

    kill(start.processId, SIGKILL);
    EXPECT_TRUE(EndsWithin(start.processId, 10s));  // nobody's zombie: the system reaps it
}

TEST(DetachedProcess, ProgramExecutableIsThisTest) {
    std::string exe = pelmora::platform::ProgramExecutable();
    ASSERT_FALSE(exe.empty());
    EXPECT_EQ(exe.front(), '/');
    EXPECT_NE(exe.find("detached_process_tests"), std::string::npos);
    EXPECT_FALSE(ProcessIsAlive(-1));
    EXPECT_TRUE(ProcessIsAlive(getpid()));
}

}  // namespace
