#include "tools/choiview/ui/picture_box.h"

#include <QPaintEvent>
#include <QPainter>

namespace pelmora {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    // Only the exposed part is drawn; the box paints all of it.
    setAttribute(Qt::WA_OpaquePaintEvent);
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

void PictureBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect exposed = event->rect();
    painter.fillRect(exposed, palette().window());
    const QRect drawn = exposed.intersected(picture_.rect());
    if (!drawn.isEmpty()) painter.drawImage(drawn.topLeft(), picture_, drawn);
}

}  // namespace pelmora
