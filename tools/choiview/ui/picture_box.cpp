#include "tools/choiview/ui/picture_box.h"

#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

namespace pelmora {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    // Only the exposed part is drawn; the box paints all of it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // A click on the picture gives it the keys.
    setFocusPolicy(Qt::StrongFocus);
}

void PictureBox::SetPicture(QImage picture) {
    picture_ = std::move(picture);
    // The fastest form to draw from.
    if (!picture_.isNull() && picture_.format() != QImage::Format_RGB32 &&
        picture_.format() != QImage::Format_ARGB32_Premultiplied) {
        picture_ = picture_.convertToFormat(picture_.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                                       : QImage::Format_RGB32);
    }
    update();
}

void PictureBox::ScrollWith(QScrollBar* horizontal, QScrollBar* vertical) {
    horizontal_ = horizontal;
    vertical_ = vertical;
}

void PictureBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect exposed = event->rect();
    painter.fillRect(exposed, palette().window());
    const QRect drawn = exposed.intersected(picture_.rect());
    if (!drawn.isEmpty()) painter.drawImage(drawn.topLeft(), picture_, drawn);
}

void PictureBox::wheelEvent(QWheelEvent* event) {
    // Hidden bars have an empty range: a picture that fits does not move.
    if (!wheel_.Scroll(*event, horizontal_, vertical_)) event->ignore();
}

void PictureBox::keyPressEvent(QKeyEvent* event) {
    if (horizontal_ == nullptr || vertical_ == nullptr || event->modifiers().testFlag(Qt::AltModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }
    QScrollBar* bar = vertical_;
    QAbstractSlider::SliderAction action = QAbstractSlider::SliderNoAction;
    switch (event->key()) {
        case Qt::Key_Up:
            action = QAbstractSlider::SliderSingleStepSub;
            break;
        case Qt::Key_Down:
            action = QAbstractSlider::SliderSingleStepAdd;
            break;
        case Qt::Key_Left:
            bar = horizontal_;
            action = QAbstractSlider::SliderSingleStepSub;
            break;
        case Qt::Key_Right:
            bar = horizontal_;
            action = QAbstractSlider::SliderSingleStepAdd;
            break;
        case Qt::Key_PageUp:
            action = QAbstractSlider::SliderPageStepSub;
            break;
        case Qt::Key_PageDown:
            action = QAbstractSlider::SliderPageStepAdd;
            break;
        case Qt::Key_Home:
            // Home goes to the top-left corner, End to the bottom (from the left edge).
            horizontal_->triggerAction(QAbstractSlider::SliderToMinimum);
            action = QAbstractSlider::SliderToMinimum;
            break;
        case Qt::Key_End:
            horizontal_->triggerAction(QAbstractSlider::SliderToMinimum);
            action = QAbstractSlider::SliderToMaximum;
            break;
        default:
            // Esc and the rest go on to the window.
            QWidget::keyPressEvent(event);
            return;
    }
    bar->triggerAction(action);
}

}  // namespace pelmora
