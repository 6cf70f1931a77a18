#include "common/ui/window_dock.h"

#include <QEvent>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>

namespace pelmora {
namespace {

constexpr int kChaseIntervalMs = 200;

bool CanPlaceWindows() { return PlatformPlacesWindows(QGuiApplication::platformName().toStdString()); }

void MoveFrame(QWidget& window, const DockPoint& to) { window.move(to.left, to.top); }

// The frame's height equals the main window's frame height.
void MatchHeight(QWidget& docked, const QWidget& main) {
    const int frameExtra = docked.frameGeometry().height() - docked.height();
    docked.resize(docked.width(), main.frameGeometry().height() - frameExtra);
}

}  // namespace

WindowDock::WindowDock(QWidget& docked, DockSide side)
    : QObject(&docked), docked_(docked), side_(side), chase_(side), timer_(new QTimer(this)) {
    timer_->setObjectName(QStringLiteral("Timer1"));
    timer_->setInterval(kChaseIntervalMs);
    connect(timer_, &QTimer::timeout, this, &WindowDock::Chase);
    docked_.installEventFilter(this);
}

DockFrames WindowDock::Frames() const {
    const QRect main = main_->frameGeometry();
    const QRect docked = docked_.frameGeometry();
    return {{main.left(), main.top()}, main.width(), {docked.left(), docked.top()}, docked.width()};
}

void WindowDock::PlaceBesideMain() {
    MatchHeight(docked_, *main_);
    MoveFrame(docked_, DockedPosition(side_, Frames()));
}

void WindowDock::Open(QWidget& mainWindow, bool chase) {
    main_ = &mainWindow;
    timer_->stop();
    if (!CanPlaceWindows()) {
        docked_.show();
        return;
    }
    PlaceBesideMain();
    const QSize placedFrame = docked_.frameGeometry().size();
    docked_.show();
    // Showing may reveal the frame: place once more with it. A window manager may frame the
    // window only later; then the first move or resize that shows the frame places it.
    if (docked_.frameGeometry().size() != placedFrame) PlaceBesideMain();
    awaitingFrame_ = docked_.frameGeometry() == docked_.geometry();
    if (chase) {
        chase_.Record(Frames());
        timer_->start();
    }
}

void WindowDock::Chase() {
    if (!main_) return;
    if (const auto to = chase_.DockedMoveFor(Frames())) {
        MoveFrame(docked_, *to);
        chase_.Record(Frames());
    }
    if (const auto to = chase_.MainMoveFor(Frames())) {
        MoveFrame(*main_, *to);
        chase_.Record(Frames());
    }
}

bool WindowDock::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &docked_) return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::Hide) {
        timer_->stop();
        awaitingFrame_ = false;
    } else if (awaitingFrame_ && main_ && (event->type() == QEvent::Move || event->type() == QEvent::Resize) &&
               docked_.frameGeometry() != docked_.geometry()) {
        awaitingFrame_ = false;
        PlaceBesideMain();
        if (timer_->isActive()) chase_.Record(Frames());
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace pelmora
