#pragma once
// Picture1: a picture drawn at its natural size from the box's top-left corner and cut off at
// the box's edges. Scrolling moves the box, not the picture inside it: the mouse wheel
// (Shift+wheel sideways) and the arrow, page, Home and End keys move the display's scroll
// bars, which place the box.

#include <QImage>
#include <QWidget>

#include "tools/choiview/ui/wheel_scroll.h"

class QScrollBar;

namespace pelmora {

class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent);

    void SetPicture(QImage picture);
    const QImage& Picture() const { return picture_; }

    // The bars the wheel and the keys move.
    void ScrollWith(QScrollBar* horizontal, QScrollBar* vertical);

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QImage picture_;
    QScrollBar* horizontal_ = nullptr;
    QScrollBar* vertical_ = nullptr;
    WheelScroller wheel_;
};

}  // namespace pelmora
