#include "tools/choiview/ui/isolated_call_wait.h"

#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>

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

void IsolatedCallWait::Abandon() {
    abandoned_ = true;
    if (call_ != nullptr) call_->End();
    if (notifier_ != nullptr) notifier_->setEnabled(false);
    if (loop_ != nullptr) loop_->quit();
}

}  // namespace pelmora
