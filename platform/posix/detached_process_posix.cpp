#include "platform/detached_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <fstream>

namespace pelmora::platform {

namespace {

class FileDescriptor {
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { Close(); }
    int Get() const { return fd_; }
    void Reset(int fd) {
        Close();
        fd_ = fd;
    }
    void Close() {
        if (fd_ >= 0) close(fd_);
        fd_ = -1;
    }

private:
    int fd_ = -1;
};

// Between fork and exec only async-signal-safe calls are allowed: Qt's threads may hold locks.
[[noreturn]] void ExecHelper(char* const* argv, int channel, int devNull) {
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    signal(SIGPIPE, SIG_DFL);
    if (dup2(channel, STDIN_FILENO) < 0 || dup2(channel, STDOUT_FILENO) < 0 || dup2(devNull, STDERR_FILENO) < 0) {
        _exit(127);
    }
    // A descriptor inherited without close-on-exec (a test runner's output pipe, say) would
    // keep its reader waiting for as long as the helper lives.
    if (close_range(3, UINT_MAX, 0) != 0) {
        long last = sysconf(_SC_OPEN_MAX);
        if (last < 0 || last > 65536) last = 65536;
        for (int fd = 3; fd < last; ++fd) close(fd);
    }
    if (chdir("/") != 0) _exit(127);  // never keep a dropped folder's file system busy
    execvp(argv[0], argv);
    _exit(127);
}

bool ReadFully(int fd, void* buffer, size_t size) {
    auto* bytes = static_cast<char*>(buffer);
    size_t done = 0;
    while (done < size) {
        ssize_t n = read(fd, bytes + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// Feeds the input and collects the first line, both bounded by the deadline.
std::optional<std::string> Converse(int fd, const std::string& input, std::chrono::steady_clock::time_point deadline,
                                    bool& helperClosed) {
    size_t sent = 0;
    bool inputDone = false;
    std::string received;
    helperClosed = false;
    if (input.empty()) {
        shutdown(fd, SHUT_WR);
        inputDone = true;
    }
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return std::nullopt;
        pollfd p{fd, static_cast<short>(POLLIN | (inputDone ? 0 : POLLOUT)), 0};
        int ready = poll(&p, 1, static_cast<int>(std::min<long long>(left.count(), INT_MAX)));
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0) return std::nullopt;
        if (ready == 0) continue;
        if (!inputDone && (p.revents & POLLOUT)) {
            ssize_t n = send(fd, input.data() + sent, input.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
            if (n > 0) sent += static_cast<size_t>(n);
            if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) inputDone = true;
            if (sent == input.size()) inputDone = true;
            if (inputDone) shutdown(fd, SHUT_WR);
        }
        if (p.revents & (POLLIN | POLLHUP | POLLERR)) {
            char buffer[512];
            ssize_t n = recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) continue;
            if (n <= 0) {
                helperClosed = true;
                if (received.empty()) return std::nullopt;
                return received;
            }
            received.append(buffer, static_cast<size_t>(n));
            if (auto end = received.find('\n'); end != std::string::npos) {
                received.resize(end);
                return received;
            }
        }
    }
}

}  // namespace

DetachedStart StartDetachedProcess(const std::string& program, const std::vector<std::string>& arguments,
                                   const std::string& input, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    DetachedStart result;

    std::vector<std::string> argStore;
    argStore.push_back(program);
    argStore.insert(argStore.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& a : argStore) argv.push_back(a.data());
    argv.push_back(nullptr);

    int pair[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0) return result;
    FileDescriptor ours(pair[0]);
    FileDescriptor theirs(pair[1]);
    int pidPipe[2];
    if (pipe2(pidPipe, O_CLOEXEC) != 0) return result;
    FileDescriptor pidRead(pidPipe[0]);
    FileDescriptor pidWrite(pidPipe[1]);
    FileDescriptor devNull(open("/dev/null", O_RDWR | O_CLOEXEC));
    if (devNull.Get() < 0) return result;

    // Fork twice: the middle process starts a new session and ends at once, so the helper
    // is adopted by the system and never lingers as this process's unreaped child.
    pid_t middle = fork();
    if (middle < 0) return result;
    if (middle == 0) {
        setsid();
        pid_t helper = fork();
        if (helper == 0) ExecHelper(argv.data(), theirs.Get(), devNull.Get());
        ssize_t written = write(pidWrite.Get(), &helper, sizeof helper);
        _exit(written == static_cast<ssize_t>(sizeof helper) ? 0 : 1);
    }
    theirs.Close();
    pidWrite.Close();
    int status = 0;
    while (waitpid(middle, &status, 0) < 0 && errno == EINTR) {
    }
    pid_t helper = -1;
    if (!ReadFully(pidRead.Get(), &helper, sizeof helper) || helper <= 0) return result;
    result.processId = helper;

    bool helperClosed = false;
    result.reply = Converse(ours.Get(), input, deadline, helperClosed);
    if (!result.reply && !helperClosed) kill(helper, SIGKILL);
    return result;
}

void ReleaseStandardStreams() {
    int devNull = open("/dev/null", O_RDWR);
    if (devNull < 0) return;
    dup2(devNull, STDIN_FILENO);
    dup2(devNull, STDOUT_FILENO);
    dup2(devNull, STDERR_FILENO);
    if (devNull > STDERR_FILENO) close(devNull);
}

bool ProcessIsAlive(int processId) {
    if (processId <= 0) return false;
    if (kill(processId, 0) != 0 && errno != EPERM) return false;
    // An ended process nobody has reaped yet still answers kill(); its state is Z.
    std::ifstream stat("/proc/" + std::to_string(processId) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) return true;
    auto nameEnd = line.rfind(')');
    return nameEnd == std::string::npos || nameEnd + 2 >= line.size() || line[nameEnd + 2] != 'Z';
}

}  // namespace pelmora::platform
