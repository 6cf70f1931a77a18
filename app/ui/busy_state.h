#pragma once
// The busy state: while a command runs, the main window's commands, browser controls and
// menus are disabled so that no second command starts from the events the work lets run.

#include <QPointer>
#include <QStringList>
#include <QWidget>

namespace pelmora {

class BusyState {
public:
    explicit BusyState(QWidget* mainWindow);

    void EnterBusyState();
    void LeaveBusyState();
    bool IsBusy() const { return busy_; }

    // The objectNames of what EnterBusyState disables in the main window.
    static const QStringList& BusyControlNames();
    static const QStringList& BusyMenuNames();

private:
    void SetEnabled(const QString& name, bool enabled);

    QPointer<QWidget> mainWindow_;
    bool busy_ = false;
};

// Enters the busy state for its lifetime; leaves it even when the command throws.
class BusyScope {
public:
    explicit BusyScope(BusyState& state) : state_(state) { state_.EnterBusyState(); }
    ~BusyScope() { state_.LeaveBusyState(); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    BusyState& state_;
};

}  // namespace pelmora
