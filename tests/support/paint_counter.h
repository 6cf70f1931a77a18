#pragma once
// Counts the paint events of a widget it filters: the sign that a window keeps painting.

#include <QEvent>
#include <QObject>

namespace pelmora::testing {

class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

}  // namespace pelmora::testing
