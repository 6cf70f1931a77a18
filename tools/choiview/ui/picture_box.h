#pragma once
// Picture1: a picture drawn at its natural size from the box's top-left corner and cut off at
// the box's edges. Scrolling moves the box, not the picture inside it.

#include <QImage>
#include <QWidget>

namespace pelmora {

class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent);

    void SetPicture(QImage picture);
    const QImage& Picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
};

}  // namespace pelmora
