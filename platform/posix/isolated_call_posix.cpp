#include "platform/isolated_call.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace pelmora::platform {

namespace {

void WriteAll(int fd, const std::string& text) {
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) _exit(1);
        written += static_cast<std::size_t>(n);
    }
}

// The child holds a copy of everything the program has in memory, stored passwords
// included: a fault in the untrusted work must not write it into a core file, and no other
// process of the user may read it through ptrace or /proc. Done before any untrusted byte is
// read; both are plain system calls, safe in a child forked from threads.
void ForbidMemoryDumps() {
    const rlimit noCore{0, 0};
    if (::setrlimit(RLIMIT_CORE, &noCore) != 0) _exit(1);
    if (::prctl(PR_SET_DUMPABLE, 0, 0, 0, 0) != 0) _exit(1);
}

}  // namespace

std::optional<std::string> RunIsolated(const std::function<std::string()>& work, std::chrono::milliseconds timeout) {
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) return std::nullopt;
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(pipeEnds[0]);
        ::close(pipeEnds[1]);
        return std::nullopt;
    }
    if (child == 0) {
        ForbidMemoryDumps();
        ::close(pipeEnds[0]);
        try {
            WriteAll(pipeEnds[1], work());
        } catch (...) {
            _exit(1);
        }
        // No exit handlers: they belong to the parent's state.
        _exit(0);
    }
    ::close(pipeEnds[1]);
    std::string result;
    bool finished = false;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        pollfd readable{pipeEnds[0], POLLIN, 0};
        const int ready = ::poll(&readable, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) break;
        char chunk[65536];
        const ssize_t got = ::read(pipeEnds[0], chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            finished = got == 0;
            break;
        }
        result.append(chunk, static_cast<std::size_t>(got));
    }
    ::close(pipeEnds[0]);
    if (!finished) ::kill(child, SIGKILL);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!finished || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
    return result;
}

}  // namespace pelmora::platform
