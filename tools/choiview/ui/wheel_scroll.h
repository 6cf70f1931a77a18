#pragma once
// The mouse wheel over ChoiView's pictures and PDF pages: a notch (120 eighths of a degree)
// scrolls the desktop's number of wheel lines, each a single step of the bar; Shift turns a
// vertical wheel sideways; the small deltas of a high-resolution wheel or touchpad add up
// until they make a whole pixel or twip.

class QScrollBar;
class QWheelEvent;

namespace pelmora {

class WheelScroller {
public:
    // Moves the bars for the event; false when neither could move that way (the event can go
    // on to the parent then).
    bool Scroll(const QWheelEvent& event, QScrollBar* horizontal, QScrollBar* vertical);

private:
    double pendingHorizontal_ = 0;
    double pendingVertical_ = 0;
};

// The zoom notches of a wheel event: positive away from the user (zoom in).
double WheelNotches(const QWheelEvent& event);

}  // namespace pelmora
