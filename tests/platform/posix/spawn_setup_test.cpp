// A started program begins with no blocked signal and the default action for the signals the
// starting thread blocked or ignored, in the process group it is given.
#include "platform/posix/spawn_setup_posix.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <pthread.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <iterator>
#include <sstream>
#include <string>

#include "tests/support/temp_tree.h"

extern char** environ;

namespace pelmora::platform {
namespace {

constexpr int kIgnored[] = {SIGPIPE, SIGINT, SIGTERM};

std::uint64_t Bit(int signal) { return std::uint64_t{1} << (signal - 1); }

// This thread blocks and ignores signals, as the window's threads and Qt do, until the end
// of the scope.
class DisturbedSignals {
public:
    DisturbedSignals() {
        sigset_t blocked;
        sigemptyset(&blocked);
        sigaddset(&blocked, SIGTERM);
        sigaddset(&blocked, SIGUSR1);
        pthread_sigmask(SIG_BLOCK, &blocked, &mask_);
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        for (std::size_t i = 0; i < std::size(kIgnored); ++i) sigaction(kIgnored[i], &ignore, &previous_[i]);
    }
    ~DisturbedSignals() {
        for (std::size_t i = 0; i < std::size(kIgnored); ++i) sigaction(kIgnored[i], &previous_[i], nullptr);
        pthread_sigmask(SIG_SETMASK, &mask_, nullptr);
    }
    DisturbedSignals(const DisturbedSignals&) = delete;
    DisturbedSignals& operator=(const DisturbedSignals&) = delete;

private:
    sigset_t mask_;
    struct sigaction previous_[std::size(kIgnored)];
};

struct StartedState {
    std::uint64_t blocked = ~std::uint64_t{0};
    std::uint64_t ignored = ~std::uint64_t{0};
    long processId = -1;
    long group = -1;
};

// Starts cat on its own status and stat files with the attributes and reads what it says.
StartedState StateOfStartedProgram(const SpawnAttributes& attributes, const std::string& report) {
    const std::vector<std::string> arguments{"/bin/cat", "/proc/self/status", "/proc/self/stat"};
    std::vector<char*> argv = SpawnArgv(arguments);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, report.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t child = -1;
    const int started = posix_spawn(&child, argv[0], &actions, attributes.get(), argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    StartedState state;
    if (started != 0) return state;
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    std::istringstream lines(testing::ReadFile(report));
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("SigBlk:")) state.blocked = std::stoull(line.substr(7), nullptr, 16);
        if (line.starts_with("SigIgn:")) state.ignored = std::stoull(line.substr(7), nullptr, 16);
        // The stat line: "pid (name) state parent group ...".
        if (const auto name = line.find(") "); line.starts_with(std::to_string(child) + " (") && name != std::string::npos) {
            std::istringstream fields(line.substr(name + 2));
            std::string runState;
            long parent = 0;
            fields >> runState >> parent >> state.group;
            state.processId = child;
        }
    }
    return state;
}

TEST(SpawnSetup, StartedProgramHasCleanSignalsInTheGroupItIsGiven) {
    testing::TempTree folder;
    const DisturbedSignals disturbed;

    const StartedState own = StateOfStartedProgram(SpawnAttributes(SpawnAttributes::Group::OwnGroup), folder / "own");
    ASSERT_GT(own.processId, 0);
    EXPECT_EQ(own.blocked, 0u);
    for (const int signal : kIgnored) EXPECT_EQ(own.ignored & Bit(signal), 0u) << "signal " << signal;
    EXPECT_EQ(own.group, own.processId);

    const StartedState inherited =
        StateOfStartedProgram(SpawnAttributes(SpawnAttributes::Group::Inherited), folder / "inherited");
    ASSERT_GT(inherited.processId, 0);
    EXPECT_EQ(inherited.blocked, 0u);
    for (const int signal : kIgnored) EXPECT_EQ(inherited.ignored & Bit(signal), 0u) << "signal " << signal;
    EXPECT_EQ(inherited.group, static_cast<long>(::getpgrp()));
}

}  // namespace
}  // namespace pelmora::platform
