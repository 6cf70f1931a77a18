#include "tools/choiview/ui/wheel_scroll.h"

#include <QApplication>
#include <QScrollBar>
#include <QWheelEvent>

#include <cmath>
#include <utility>

namespace pelmora {

namespace {

constexpr double kNotch = 120.0;

// Adds the delta to what is pending and moves the bar by the whole part of it.
bool MoveBy(QScrollBar* bar, double notches, double& pending) {
    if (bar == nullptr || notches == 0 || bar->maximum() == bar->minimum()) return false;
    pending -= notches * QApplication::wheelScrollLines() * bar->singleStep();
    const double whole = std::trunc(pending);
    pending -= whole;
    bar->setValue(static_cast<int>(std::lround(bar->value() + whole)));
    // At an end the event is still taken, so the window does not scroll something else.
    return true;
}

}  // namespace

bool WheelScroller::Scroll(const QWheelEvent& event, QScrollBar* horizontal, QScrollBar* vertical) {
    double across = event.angleDelta().x() / kNotch;
    double down = event.angleDelta().y() / kNotch;
    if (event.modifiers().testFlag(Qt::ShiftModifier) && across == 0) std::swap(across, down);
    const bool movedAcross = MoveBy(horizontal, across, pendingHorizontal_);
    const bool movedDown = MoveBy(vertical, down, pendingVertical_);
    return movedAcross || movedDown;
}

double WheelNotches(const QWheelEvent& event) {
    const QPoint delta = event.angleDelta();
    return (std::abs(delta.y()) >= std::abs(delta.x()) ? delta.y() : delta.x()) / kNotch;
}

}  // namespace pelmora
