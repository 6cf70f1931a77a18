#include "platform/process_runner.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>

#include "platform/posix/spawn_setup_posix.h"

extern char** environ;

namespace pelmora::platform {

std::unique_ptr<ChildProcess> ChildProcess::Start(const std::vector<std::string>& arguments, std::string& error) {
    if (arguments.empty() || arguments[0].empty()) {
        error = "no program";
        return nullptr;
    }
    std::vector<char*> argv = SpawnArgv(arguments);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const SpawnAttributes attributes(SpawnAttributes::Group::OwnGroup);

    pid_t processId = -1;
    const int result = posix_spawnp(&processId, argv[0], &actions, attributes.get(), argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (result != 0) {
        error = std::strerror(result);
        return nullptr;
    }
    return std::unique_ptr<ChildProcess>(new ChildProcess(processId));
}

ChildProcess::~ChildProcess() {
    if (!ended_) Kill();
}

bool ChildProcess::Collect(bool block) {
    if (ended_) return true;
    int status = 0;
    pid_t result;
    do {
        result = ::waitpid(processId_, &status, block ? 0 : WNOHANG);
    } while (result < 0 && errno == EINTR);
    if (result == processId_ || (result < 0 && errno == ECHILD)) {
        ended_ = true;
        exitStatus_ = result == processId_ ? status : 0;
    }
    return ended_;
}

std::optional<int> ChildProcess::ExitCode() const {
    if (!ended_ || !WIFEXITED(exitStatus_)) return std::nullopt;
    return WEXITSTATUS(exitStatus_);
}

bool ChildProcess::WaitFor(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    auto pause = std::chrono::milliseconds(1);
    while (!Collect(false)) {
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) return false;
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
        if (pause < std::chrono::milliseconds(20)) pause *= 2;
    }
    return true;
}

void ChildProcess::Kill() {
    if (ended_) return;
    ::kill(-processId_, SIGKILL);
    Collect(true);
}

bool StartIndependentProgram(const std::vector<std::string>& arguments, std::string& error) {
    if (arguments.empty() || arguments[0].empty()) {
        error = "no program";
        return false;
    }
    std::vector<char*> argv = SpawnArgv(arguments);
    // The grandchild reports a failed exec through this pipe; a successful exec closes it.
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) {
        error = std::strerror(errno);
        return false;
    }
    const pid_t child = ::fork();
    if (child < 0) {
        error = std::strerror(errno);
        ::close(report[0]);
        ::close(report[1]);
        return false;
    }
    if (child == 0) {
        ::close(report[0]);
        ::setsid();
        const pid_t grandchild = ::fork();
        if (grandchild != 0) ::_exit(grandchild < 0 ? 1 : 0);
        const int nullDevice = ::open("/dev/null", O_RDWR);
        if (nullDevice >= 0) {
            ::dup2(nullDevice, STDIN_FILENO);
            ::dup2(nullDevice, STDOUT_FILENO);
        }
        sigset_t none;
        sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        ::execvp(argv[0], argv.data());
        const int code = errno;
        [[maybe_unused]] ssize_t written = ::write(report[1], &code, sizeof code);
        ::_exit(127);
    }
    ::close(report[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int code = 0;
    ssize_t got;
    do {
        got = ::read(report[0], &code, sizeof code);
    } while (got < 0 && errno == EINTR);
    ::close(report[0]);
    if (got == static_cast<ssize_t>(sizeof code)) {
        error = std::strerror(code);
        return false;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        error = "fork failed";
        return false;
    }
    return true;
}

void ReplaceThisProcess(const std::vector<std::string>& arguments, std::string& error) {
    if (arguments.empty() || arguments[0].empty()) {
        error = "no program";
        return;
    }
    std::vector<char*> argv = SpawnArgv(arguments);
    ::execv(argv[0], argv.data());
    error = std::strerror(errno);
}

}  // namespace pelmora::platform
