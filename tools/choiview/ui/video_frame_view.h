#pragma once
// The picture of MediaPlayer1: draws the frames the player hands its video sink, scaled with
// their aspect kept and centred on black. It is a plain widget rather than a video window
// embedded in the viewer: Qt re-creates the viewer's native window when the first web view
// appears and when "前面" changes the window flags, and an embedded window would keep
// pointing at the one that is gone (grey picture, or a crash at the next layout).

#include <QVideoFrame>
#include <QWidget>

class QVideoSink;

namespace pelmora {

class VideoFrameView : public QWidget {
    Q_OBJECT
public:
    explicit VideoFrameView(QWidget* parent);

    // Where the player delivers its frames; an empty frame clears the picture.
    QVideoSink* videoSink() const { return sink_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QVideoSink* sink_ = nullptr;
    QVideoFrame frame_;  // the latest, converted only when painted
};

}  // namespace pelmora
