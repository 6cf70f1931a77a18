#include "tools/choiview/ui/isolated_call_wait.h"

#include <QEventLoop>
#include <QSocketNotifier>
#include <QThreadPool>
#include <QTimer>

#include <memory>
#include <mutex>

namespace pelmora {

IsolatedCallWait::~IsolatedCallWait() { Abandon(); }

platform::IsolatedRunner IsolatedCallWait::Runner() {
    return [this](const platform::IsolatedStart& start, std::chrono::milliseconds timeout) {
        return Wait(start, timeout);
    };
}

std::optional<std::string> IsolatedCallWait::Wait(const platform::IsolatedStart& start,
                                                  std::chrono::milliseconds timeout) {
    if (abandoned_) return std::nullopt;
    const std::unique_ptr<platform::IsolatedCall> call = start();
    if (!call) return std::nullopt;
    if (call->Collect()) return call->Result();

    QEventLoop loop;
    QSocketNotifier readable(static_cast<qintptr>(call->WakeHandle()), QSocketNotifier::Read);
    QTimer limit;
    // Once the call is over its pipe stays readable (at its end): the notifier must stop, or
    // it would fire without pause in a newer wait's loop running above this one.
    const auto over = [&] {
        readable.setEnabled(false);
        limit.stop();
        loop.quit();
    };
    QObject::connect(&readable, &QSocketNotifier::activated, &loop, [&] {
        if (call->Collect()) over();
    });
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, [&] {
        call->End();
        over();
    });
    limit.start(timeout);
    call_ = call.get();
    notifier_ = &readable;
    loop_ = &loop;
    loop.exec();
    call_ = nullptr;
    notifier_ = nullptr;
    loop_ = nullptr;
    // Left before the call was over: abandoned, or the application is quitting, when no
    // message about this file should come either. The child goes at once.
    if (!call->Collect()) abandoned_ = true;
    call->End();
    return call->Result();
}

FileReadWait IsolatedCallWait::Reader() {
    return [this](std::function<void()> work) { return WaitForRead(std::move(work)); };
}

bool IsolatedCallWait::WaitForRead(std::function<void()> work) {
    if (abandoned_) return false;
    // Shared with the worker, which outlives an abandoned wait.
    struct Ending {
        std::mutex lock;
        bool done = false;
        QEventLoop* loop = nullptr;  // while the wait runs
    };
    const auto ending = std::make_shared<Ending>();
    QEventLoop loop;
    ending->loop = &loop;
    QThreadPool* pool = QThreadPool::globalInstance();
    // A thread of its own beyond the pool's limit: an abandoned read still waiting on a share
    // must not hold up the next. The pool is waited for when the application ends.
    pool->reserveThread();
    pool->startOnReservedThread([ending, work = std::move(work)]() mutable {
        work();
        // What the work holds goes here, on the worker: a copy nobody waits for is removed.
        work = nullptr;
        const std::lock_guard hold(ending->lock);
        ending->done = true;
        // Posted to the loop: dropped if the loop is gone before it runs.
        if (QEventLoop* waiting = ending->loop)
            QMetaObject::invokeMethod(waiting, [waiting] { waiting->quit(); }, Qt::QueuedConnection);
    });
    loop_ = &loop;
    loop.exec();
    loop_ = nullptr;
    const std::lock_guard hold(ending->lock);
    ending->loop = nullptr;
    // Left before the read was done: abandoned, or the application is quitting.
    if (!ending->done) abandoned_ = true;
    return !abandoned_;
}

void IsolatedCallWait::Abandon() {
    abandoned_ = true;
    if (call_ != nullptr) call_->End();
    if (notifier_ != nullptr) notifier_->setEnabled(false);
    if (loop_ != nullptr) loop_->quit();
}

}  // namespace pelmora
