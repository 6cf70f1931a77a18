#pragma once
// Running a piece of work apart from this process, for libraries that read untrusted files
// and may fault on them: a crash or overwritten memory there cannot harm the program.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pelmora::platform {

// One call running in its child process. Its owner collects the result, waiting in its own
// way: blocked (RunIsolated), or in a window's event loop that watches WakeHandle.
class IsolatedCall {
public:
    virtual ~IsolatedCall() = default;  // ends the child of a call that is not over

    // A handle that becomes readable whenever more of the result has come or the child has
    // ended (for select/poll or an event loop's notifier). Valid while the call lives.
    virtual int WakeHandle() const = 0;
    // Takes in what has come, without waiting; true once the call is over.
    virtual bool Collect() = 0;
    // The text the work returned once the call is over; nothing when it crashed, threw, or
    // was ended (and before it is over).
    virtual std::optional<std::string> Result() const = 0;
    // Ends the child at once (SIGKILL, collected): the call is over without a result.
    virtual void End() = 0;
};

// Starts `work` in a separate copy of this process; null when no process can be started.
std::unique_ptr<IsolatedCall> StartIsolated(const std::function<std::string()>& work);

// Bytes a helper program left in the block it shared with its caller, mapped read-only.
class SharedAnswerBytes {
public:
    virtual ~SharedAnswerBytes() = default;
    // Aligned for any type (the mapping starts on a page).
    virtual const void* Data() const = 0;
    virtual std::uint64_t Size() const = 0;
};

// A block of memory for a helper program's large answer (a picture's pixels), so that it
// need not pass through the answer's pipe and be copied on the way. The caller makes it
// before the helper starts: the helper's only way into the caller's memory is this block.
class SharedAnswerBlock {
public:
    virtual ~SharedAnswerBlock() = default;
    // Once the helper has answered and ended: the bytes it left, mapped read-only after the
    // block was fixed for good (no process can change, shrink or grow it any more). Nothing
    // when the helper left more than `largest` bytes (checked before mapping) or when the
    // block cannot be fixed (a process it started still maps it for writing). Call it once.
    virtual std::shared_ptr<const SharedAnswerBytes> Take(std::uint64_t largest) = 0;
};

// Null when the system offers no such memory.
std::unique_ptr<SharedAnswerBlock> MakeSharedAnswerBlock();

// Starts a helper program afresh (arguments[0] is its path), so that it holds nothing of this
// process's memory. Its standard output is the answer, written by WriteIsolatedAnswer; its
// standard input and error are /dev/null. With `block`, the helper also gets that block, which
// it sizes and fills through OpenSharedAnswerBlock. Null when it cannot be started.
std::unique_ptr<IsolatedCall> StartIsolatedProgram(const std::vector<std::string>& arguments,
                                                   const SharedAnswerBlock* block = nullptr);

// For a helper program started with a block: the block sized to `size` bytes and mapped for
// writing, valid while the returned object lives; null when the helper got no block or it
// cannot be sized.
class WritableSharedBlock {
public:
    virtual ~WritableSharedBlock() = default;
    virtual void* Data() = 0;
};
std::unique_ptr<WritableSharedBlock> OpenSharedAnswerBlock(std::uint64_t size);

// For a helper program, before it reads any untrusted byte: no core file, not dumpable (no
// other process of the user may read its memory). False when either cannot be set.
bool ForbidMemoryDumps();
// For a helper program: its answer on standard output, as StartIsolatedProgram's call reads
// it. False when it could not be written whole.
bool WriteIsolatedAnswer(const std::string& answer);

// The way a call is started, for the code that waits for it.
using IsolatedStart = std::function<std::unique_ptr<IsolatedCall>()>;

// The answer of the call `start` starts; nothing when it cannot be started, crashes, or has
// not finished within `timeout` (it is then killed). Blocks the calling thread.
std::optional<std::string> WaitForIsolated(const IsolatedStart& start, std::chrono::milliseconds timeout);

// WaitForIsolated of `work` in a separate copy of this process.
std::optional<std::string> RunIsolated(const std::function<std::string()>& work, std::chrono::milliseconds timeout);

// How a caller waits for isolated work, given to the code that starts it: WaitForIsolated
// itself, or a wait that keeps a window's events running and may end the call early.
using IsolatedRunner =
    std::function<std::optional<std::string>(const IsolatedStart& start, std::chrono::milliseconds timeout)>;

}  // namespace pelmora::platform
