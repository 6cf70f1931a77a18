#pragma once
// A window docked beside the main window: it opens with the main window's height and its
// frame against the main window's frame, and in chase mode a 200 ms timer (objectName
// "Timer1", a child of the docked window) keeps the two together. Where the platform cannot
// place windows, the window just shows.

#include <QObject>
#include <QPointer>

#include "common/dock_chase.h"

class QTimer;
class QWidget;

namespace pelmora {

class WindowDock : public QObject {
    Q_OBJECT
public:
    // Lives as a child of the docked window; the timer stops when that window hides.
    WindowDock(QWidget& docked, DockSide side);

    // Matches the height, places, shows; chase mode starts the timer.
    void Open(QWidget& mainWindow, bool chase);

    QTimer* Timer() const { return timer_; }

    // One chase tick (the timer's).
    void Chase();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    DockFrames Frames() const;
    void PlaceBesideMain();

    QWidget& docked_;
    DockSide side_;
    ChaseState chase_;
    QPointer<QWidget> main_;
    QTimer* timer_;
    bool awaitingFrame_ = false;
};

}  // namespace pelmora
