#include "tools/choiview/ui/video_frame_view.h"

#include <QPainter>
#include <QVideoSink>

namespace pelmora {

VideoFrameView::VideoFrameView(QWidget* parent) : QWidget(parent), sink_(new QVideoSink(this)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(sink_, &QVideoSink::videoFrameChanged, this, [this](const QVideoFrame& frame) {
        frame_ = frame;
        update();
    });
}

void VideoFrameView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!frame_.isValid()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    QVideoFrame::PaintOptions options;
    options.aspectRatioMode = Qt::KeepAspectRatio;
    options.backgroundColor = Qt::black;
    frame_.paint(&painter, QRectF(rect()), options);
}

}  // namespace pelmora
