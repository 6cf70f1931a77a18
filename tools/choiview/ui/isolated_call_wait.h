#pragma once
// Waiting for isolated work (the image-reader plug-ins, the metafile libraries) while the
// window's events keep running: menus answer, the window paints, and another file or the
// window's closing can abandon the wait, ending the child at once.

#include <chrono>
#include <optional>
#include <string>

#include "platform/isolated_call.h"

class QEventLoop;
class QSocketNotifier;

namespace pelmora {

class IsolatedCallWait {
public:
    IsolatedCallWait() = default;
    IsolatedCallWait(const IsolatedCallWait&) = delete;
    IsolatedCallWait& operator=(const IsolatedCallWait&) = delete;
    ~IsolatedCallWait();

    // The runner to give the code that starts the call: it waits in a local event loop until
    // the answer comes, the time limit passes or the wait is abandoned.
    platform::IsolatedRunner Runner();

    // Ends the call waited for (and any later one through Runner) without a result. The
    // runner returns once its event loop is left, which is after any newer wait started from
    // within it.
    void Abandon();
    // Also true when the event loop was left otherwise before the call was over (the
    // application quitting).
    bool Abandoned() const { return abandoned_; }

private:
    std::optional<std::string> Wait(const platform::IsolatedStart& start, std::chrono::milliseconds timeout);

    bool abandoned_ = false;
    // While Wait runs:
    platform::IsolatedCall* call_ = nullptr;
    QSocketNotifier* notifier_ = nullptr;
    QEventLoop* loop_ = nullptr;
};

}  // namespace pelmora
