#include "platform/isolated_call.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/posix/spawn_setup_posix.h"

extern char** environ;

namespace pelmora::platform {

namespace {

// The child sends the answer's length (8 bytes) and then the answer, so a complete answer
// is known without waiting for the child to end: a work that closes the pipe and runs on
// cannot hold the caller.
constexpr std::size_t kLengthSize = sizeof(std::uint64_t);
// No answer is larger (the largest picture is 256 MiB of pixels): a child that announces or
// sends more is ended before it fills the caller's memory.
constexpr std::uint64_t kLargestAnswer = std::uint64_t{1} << 30;
// Where a helper program finds its shared answer block.
constexpr int kSharedBlockHandle = 3;
// The caller keeps its block's descriptor above the helper's standard ones and the block's own
// number, so that the helper's descriptors are always made anew (and lose close-on-exec).
constexpr int kLowestCallerBlockHandle = 10;

bool WriteAll(int fd, const char* data, std::size_t size) {
    std::size_t written = 0;
    while (written < size) {
        const ssize_t n = ::write(fd, data + written, size - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        written += static_cast<std::size_t>(n);
    }
    return true;
}

bool WriteAnswer(int fd, const std::string& answer) {
    const std::uint64_t length = answer.size();
    char lengthBytes[kLengthSize];
    std::memcpy(lengthBytes, &length, kLengthSize);
    return WriteAll(fd, lengthBytes, kLengthSize) && WriteAll(fd, answer.data(), answer.size());
}

[[noreturn]] void RunInChild(const std::function<std::string()>& work, int resultEnd) {
    // The forked child holds a copy of everything the program has in memory, stored
    // passwords included.
    if (!ForbidMemoryDumps()) _exit(1);
    try {
        if (!WriteAnswer(resultEnd, work())) _exit(1);
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
            if (received_.size() > kLargestAnswer + kLengthSize || AnnouncedLength() > kLargestAnswer) {
                End();
                break;
            }
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
    // The length the answer begins with; 0 until it has come.
    std::uint64_t AnnouncedLength() const {
        std::uint64_t length = 0;
        if (received_.size() >= kLengthSize) std::memcpy(&length, received_.data(), kLengthSize);
        return length;
    }
    bool Complete() const {
        return received_.size() >= kLengthSize && received_.size() - kLengthSize >= AnnouncedLength();
    }

    pid_t child_;
    int resultEnd_;
    std::string received_;
    bool over_ = false;
    bool answered_ = false;
};

class MappedAnswerBytes : public SharedAnswerBytes {
public:
    MappedAnswerBytes(void* data, std::uint64_t size) : data_(data), size_(size) {}
    ~MappedAnswerBytes() override {
        if (data_ != nullptr) ::munmap(data_, size_);
    }
    MappedAnswerBytes(const MappedAnswerBytes&) = delete;
    MappedAnswerBytes& operator=(const MappedAnswerBytes&) = delete;
    const void* Data() const override { return data_; }
    std::uint64_t Size() const override { return size_; }

private:
    void* data_;
    std::uint64_t size_;
};

class MemfdAnswerBlock : public SharedAnswerBlock {
public:
    explicit MemfdAnswerBlock(int fd) : fd_(fd) {}
    ~MemfdAnswerBlock() override { ::close(fd_); }
    MemfdAnswerBlock(const MemfdAnswerBlock&) = delete;
    MemfdAnswerBlock& operator=(const MemfdAnswerBlock&) = delete;

    int Handle() const { return fd_; }

    std::shared_ptr<const SharedAnswerBytes> Take(std::uint64_t largest) override {
        // The helper has ended, but a process it started may still hold the block. Sealed, it
        // can neither shrink it under our mapping (a read past its end would fault) nor change
        // the bytes once checked; a writable mapping left anywhere makes the seal fail.
        if (::fcntl(fd_, F_ADD_SEALS, F_SEAL_SHRINK | F_SEAL_GROW | F_SEAL_WRITE | F_SEAL_SEAL) != 0) return nullptr;
        struct stat facts {};
        if (::fstat(fd_, &facts) != 0 || facts.st_size < 0) return nullptr;
        const auto size = static_cast<std::uint64_t>(facts.st_size);
        if (size > largest) return nullptr;
        if (size == 0) return std::make_shared<MappedAnswerBytes>(nullptr, 0);
        void* data = ::mmap(nullptr, size, PROT_READ, MAP_SHARED, fd_, 0);
        if (data == MAP_FAILED) return nullptr;
        return std::make_shared<MappedAnswerBytes>(data, size);
    }

private:
    int fd_;
};

class WritableMappedBlock : public WritableSharedBlock {
public:
    WritableMappedBlock(void* data, std::size_t size) : data_(data), size_(size) {}
    ~WritableMappedBlock() override { ::munmap(data_, size_); }
    WritableMappedBlock(const WritableMappedBlock&) = delete;
    WritableMappedBlock& operator=(const WritableMappedBlock&) = delete;
    void* Data() override { return data_; }

private:
    void* data_;
    std::size_t size_;
};

}  // namespace

std::unique_ptr<SharedAnswerBlock> MakeSharedAnswerBlock() {
    // A fresh block for each call: nothing of an earlier answer is in it.
    const int made = ::memfd_create("pelmora-answer", MFD_CLOEXEC | MFD_ALLOW_SEALING);
    if (made < 0) return nullptr;
    const int fd = ::fcntl(made, F_DUPFD_CLOEXEC, kLowestCallerBlockHandle);
    ::close(made);
    if (fd < 0) return nullptr;
    return std::make_unique<MemfdAnswerBlock>(fd);
}

std::unique_ptr<WritableSharedBlock> OpenSharedAnswerBlock(std::uint64_t size) {
    // Only a block made by MakeSharedAnswerBlock takes seals: any other descriptor is refused.
    if (size == 0 || size > kLargestAnswer || ::fcntl(kSharedBlockHandle, F_GET_SEALS) < 0) return nullptr;
    if (::ftruncate(kSharedBlockHandle, static_cast<off_t>(size)) != 0) return nullptr;
    void* data = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, kSharedBlockHandle, 0);
    if (data == MAP_FAILED) return nullptr;
    return std::make_unique<WritableMappedBlock>(data, static_cast<std::size_t>(size));
}

// A fault in untrusted work must not write the process's memory into a core file, and no
// other process of the user may read it through ptrace or /proc. Both are plain system calls,
// safe in a child forked from threads.
bool ForbidMemoryDumps() {
    const rlimit noCore{0, 0};
    return ::setrlimit(RLIMIT_CORE, &noCore) == 0 && ::prctl(PR_SET_DUMPABLE, 0, 0, 0, 0) == 0;
}

bool WriteIsolatedAnswer(const std::string& answer) { return WriteAnswer(STDOUT_FILENO, answer); }

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

std::unique_ptr<IsolatedCall> StartIsolatedProgram(const std::vector<std::string>& arguments,
                                                   const SharedAnswerBlock* block) {
    if (arguments.empty() || arguments[0].empty()) return nullptr;
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) return nullptr;
    std::vector<char*> argv = SpawnArgv(arguments);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    // Every block is made by MakeSharedAnswerBlock.
    if (block != nullptr)
        posix_spawn_file_actions_adddup2(&actions, static_cast<const MemfdAnswerBlock*>(block)->Handle(),
                                         kSharedBlockHandle);
    // Nothing else of this process reaches the helper, not even a descriptor someone left
    // open without close-on-exec.
    posix_spawn_file_actions_addclosefrom_np(&actions, block != nullptr ? kSharedBlockHandle + 1 : kSharedBlockHandle);
    // The window's blocked signals and its handlers are not the helper's.
    const SpawnAttributes attributes(SpawnAttributes::Group::Inherited);
    pid_t child = -1;
    const int started = posix_spawn(&child, argv[0], &actions, attributes.get(), argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    if (started != 0) {
        ::close(pipeEnds[0]);
        return nullptr;
    }
    ::fcntl(pipeEnds[0], F_SETFL, ::fcntl(pipeEnds[0], F_GETFL) | O_NONBLOCK);
    return std::make_unique<PosixIsolatedCall>(child, pipeEnds[0]);
}

std::optional<std::string> RunIsolated(const std::function<std::string()>& work, std::chrono::milliseconds timeout) {
    return WaitForIsolated([&work] { return StartIsolated(work); }, timeout);
}

std::optional<std::string> WaitForIsolated(const IsolatedStart& start, std::chrono::milliseconds timeout) {
    const std::unique_ptr<IsolatedCall> call = start();
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
