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
    QObject::connect(&readable, &QSocketNotifier::activated, &loop, [&] {
        if (call->Collect()) loop.quit();
    });
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, [&] {
        call->End();
        loop.quit();
    });
    limit.start(timeout);
    call_ = call.get();
    loop_ = &loop;
    loop.exec();
    call_ = nullptr;
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
    if (loop_ != nullptr) loop_->quit();
}

}  // namespace pelmora
