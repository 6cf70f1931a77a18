#include "platform/desktop_launch.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <string_view>
#include <thread>

#include "platform/process_runner.h"

extern char** environ;

namespace pelmora::platform {

namespace {

// Types the desktop opener starts instead of showing, whatever their content.
constexpr std::array<std::string_view, 4> kStartedTypes{"DESKTOP", "SH", "RUN", "APPIMAGE"};

bool HasStartedType(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c); });
    return std::find(kStartedTypes.begin(), kStartedTypes.end(), extension) != kStartedTypes.end();
}

// An ELF program or a script naming its interpreter.
bool BeginsAsProgram(std::string_view head) {
    return head.substr(0, 4) == std::string_view("\x7f" "ELF", 4) || head.substr(0, 2) == "#!";
}

}  // namespace

// The execute bit is not asked: exFAT, NTFS and SMB mounts show it on every file.
bool OpeningRunsProgram(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return false;
    if (HasStartedType(path)) return true;
    // Non-blocking, so that a named pipe never holds the command up.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        // A program may be executable without being readable; what cannot be read is
        // taken for one when it carries an execute bit.
        return S_ISREG(st.st_mode) && (st.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) != 0;
    }
    char head[4];
    ssize_t got = -1;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        do {
            got = ::read(fd, head, sizeof head);
        } while (got < 0 && errno == EINTR);
    }
    ::close(fd);
    return got > 0 && BeginsAsProgram(std::string_view(head, static_cast<std::size_t>(got)));
}

bool OpenWithDefaultProgram(const std::string& path) {
    std::string error;
    return StartIndependentProgram({"xdg-open", path}, error);
}

namespace {

// xdg-open's exit codes: 0 done, 3 no tool for the file (nor a browser to fall back on),
// anything else a failure (4: the program it chose did not start).
OpenerOutcome OpenerOutcomeOf(int waitStatus) {
    if (!WIFEXITED(waitStatus)) return OpenerOutcome::Failed;
    switch (WEXITSTATUS(waitStatus)) {
        case 0:
            return OpenerOutcome::Opened;
        case 3:
            return OpenerOutcome::NoOpener;
        default:
            return OpenerOutcome::Failed;
    }
}

}  // namespace

void OpenWithDefaultProgramReporting(const std::string& path, std::function<void(OpenerOutcome)> done) {
    const char* argv[] = {"xdg-open", path.c_str(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attributes);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    // A session of its own: a terminal's interrupt or hang-up does not reach the opener.
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    pid_t processId = -1;
    const int result =
        posix_spawnp(&processId, argv[0], &actions, &attributes, const_cast<char* const*>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (result != 0) {
        done(OpenerOutcome::NoOpener);
        return;
    }
    // Only this thread waits for the opener; it shares nothing but what it was given.
    std::thread([processId, done = std::move(done)] {
        int status = 0;
        pid_t waited;
        do {
            waited = ::waitpid(processId, &status, 0);
        } while (waited < 0 && errno == EINTR);
        // Someone else collected it: what it did is not known, so nothing is said.
        done(waited == processId ? OpenerOutcomeOf(status) : OpenerOutcome::Opened);
    }).detach();
}

}  // namespace pelmora::platform
