#pragma once
// Waiting for isolated work (the image-reader plug-ins, the metafile libraries), and for reads
// of files on shares on a worker thread, while the window's events keep running: menus
// answer, the window paints, and another file or the window's closing can abandon the wait,
// ending the child at once (a read runs on to its end alone; what it made goes then).

#include <chrono>
#include <optional>
#include <string>

#include "platform/isolated_call.h"
#include "tools/choiview/viewer_file_bytes.h"

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
    // The wait to give the code that reads a share's file: the read runs on a thread of its
    // own while a local event loop runs, until it is done or the wait is abandoned.
    FileReadWait Reader();

    // Ends the call waited for (and any later one through Runner) without a result. The
    // runner returns once its event loop is left, which is after any newer wait started from
    // within it.
    void Abandon();
    // Also true when the event loop was left otherwise before the call was over (the
    // application quitting).
    bool Abandoned() const { return abandoned_; }

private:
    std::optional<std::string> Wait(const platform::IsolatedStart& start, std::chrono::milliseconds timeout);
    bool WaitForRead(std::function<void()> work);

    bool abandoned_ = false;
    // While Wait runs:
    platform::IsolatedCall* call_ = nullptr;
    QSocketNotifier* notifier_ = nullptr;
    QEventLoop* loop_ = nullptr;
};

}  // namespace pelmora
