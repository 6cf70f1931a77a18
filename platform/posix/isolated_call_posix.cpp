#include "platform/isolated_call.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

namespace pelmora::platform {

namespace {

// The child sends the result's length (8 bytes) and then the result, so a complete answer
// is known without waiting for the child to end: a work that closes the pipe and runs on
// cannot hold the caller.
constexpr std::size_t kLengthSize = sizeof(std::uint64_t);

void WriteAll(int fd, const char* data, std::size_t size) {
    std::size_t written = 0;
    while (written < size) {
        const ssize_t n = ::write(fd, data + written, size - written);
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

[[noreturn]] void RunInChild(const std::function<std::string()>& work, int resultEnd) {
    ForbidMemoryDumps();
    try {
        const std::string result = work();
        const std::uint64_t length = result.size();
        char lengthBytes[kLengthSize];
        std::memcpy(lengthBytes, &length, kLengthSize);
        WriteAll(resultEnd, lengthBytes, kLengthSize);
        WriteAll(resultEnd, result.data(), result.size());
    } catch (...) {
        _exit(1);
    }
    // No exit handlers: they belong to the parent's state.
    _exit(0);
}

class PosixIsolatedCall : public IsolatedCall {
public:
    PosixIsolatedCall(pid_t child, int resultEnd) : child_(child), resultEnd_(resultEnd) {}
    ~PosixIsolatedCall() override {
        End();
        ::close(resultEnd_);
    }
    PosixIsolatedCall(const PosixIsolatedCall&) = delete;
    PosixIsolatedCall& operator=(const PosixIsolatedCall&) = delete;

    int WakeHandle() const override { return resultEnd_; }

    bool Collect() override {
        while (!over_) {
            char chunk[65536];
            const ssize_t got = ::read(resultEnd_, chunk, sizeof chunk);
            if (got < 0 && errno == EINTR) continue;
            if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return false;
            if (got <= 0) {
                // Closed (or failed) before the whole answer came: a crash, a throw.
                End();
                break;
            }
            received_.append(chunk, static_cast<std::size_t>(got));
            if (Complete()) {
                received_.erase(0, kLengthSize);
                answered_ = true;
                End();
            }
        }
        return true;
    }

    std::optional<std::string> Result() const override {
        if (!answered_) return std::nullopt;
        return received_;
    }

    void End() override {
        over_ = true;
        if (child_ <= 0) return;
        ::kill(child_, SIGKILL);
        while (::waitpid(child_, nullptr, 0) < 0 && errno == EINTR) {
        }
        child_ = -1;
    }

private:
    bool Complete() const {
        if (received_.size() < kLengthSize) return false;
        std::uint64_t length = 0;
        std::memcpy(&length, received_.data(), kLengthSize);
        return received_.size() - kLengthSize >= length;
    }

    pid_t child_;
    int resultEnd_;
    std::string received_;
    bool over_ = false;
    bool answered_ = false;
};

}  // namespace

std::unique_ptr<IsolatedCall> StartIsolated(const std::function<std::string()>& work) {
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) return nullptr;
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(pipeEnds[0]);
        ::close(pipeEnds[1]);
        return nullptr;
    }
    if (child == 0) {
        ::close(pipeEnds[0]);
        RunInChild(work, pipeEnds[1]);
    }
    ::close(pipeEnds[1]);
    // The window thread collects what has come whenever it is told to; it never waits on a read.
    ::fcntl(pipeEnds[0], F_SETFL, ::fcntl(pipeEnds[0], F_GETFL) | O_NONBLOCK);
    return std::make_unique<PosixIsolatedCall>(child, pipeEnds[0]);
}

std::optional<std::string> RunIsolated(const std::function<std::string()>& work, std::chrono::milliseconds timeout) {
    const std::unique_ptr<IsolatedCall> call = StartIsolated(work);
    if (!call) return std::nullopt;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!call->Collect()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            call->End();
            break;
        }
        pollfd readable{call->WakeHandle(), POLLIN, 0};
        ::poll(&readable, 1, static_cast<int>(left.count()));
    }
    return call->Result();
}

}  // namespace pelmora::platform
