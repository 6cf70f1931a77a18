#pragma once
// Running a piece of work apart from this process, for libraries that read untrusted files
// and may fault on them: a crash or overwritten memory there cannot harm the program.

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

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

// The text `work` returns, computed in a separate copy of this process; nothing when that
// copy crashes, cannot be started, or has not finished within `timeout` (it is then killed).
// Blocks the calling thread.
std::optional<std::string> RunIsolated(const std::function<std::string()>& work, std::chrono::milliseconds timeout);

// How a caller waits for isolated work, given to the code that runs it: RunIsolated itself,
// or a wait that keeps a window's events running and may end the call early.
using IsolatedRunner =
    std::function<std::optional<std::string>(const std::function<std::string()>& work, std::chrono::milliseconds timeout)>;

}  // namespace pelmora::platform
