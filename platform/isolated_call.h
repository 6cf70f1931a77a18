#pragma once
// Running a piece of work apart from this process, for libraries that read untrusted files
// and may fault on them: a crash or overwritten memory there cannot harm the program.

#include <chrono>
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

// Starts a helper program afresh (arguments[0] is its path), so that it holds nothing of this
// process's memory. Its standard output is the answer, written by WriteIsolatedAnswer; its
// standard input and error are /dev/null. Null when it cannot be started.
std::unique_ptr<IsolatedCall> StartIsolatedProgram(const std::vector<std::string>& arguments);

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
