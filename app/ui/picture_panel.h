#pragma once
// UserControl1: a picture drawn through a mask on a transparent background. A click swaps
// between the two configured pictures.

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <string>

namespace pelmora {

class PicturePanel : public QWidget {
    Q_OBJECT
public:
    explicit PicturePanel(QWidget* parent = nullptr);

    // Pixels of maskColour in the mask become transparent.
    void Picture(const QImage& picture, const QImage& mask, const QColor& maskColour);

    // The two pictures a click swaps between (FreePicture1, FreePicture2).
    void SetPictureFiles(const std::string& first, const std::string& second);
    // Shows the first picture as picture number 1; false when it cannot be loaded.
    bool ShowFirstPicture();

    int PictureNumber() const { return pictureNumber_; }
    bool HasPicture() const { return !shown_.isNull(); }
    const QPixmap& ShownPixmap() const { return shown_; }

    QSize sizeHint() const override;
    // The picture is never scaled, so the panel never shrinks below it.
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    bool ShowPictureFile(const std::string& path, int number);

    std::string firstFile_;
    std::string secondFile_;
    QColor maskColour_ = Qt::white;
    QPixmap shown_;
    int pictureNumber_ = 0;
};

// Reads a picture from a path given as bytes (names need not be valid UTF-8).
QImage LoadPictureFile(const std::string& path);

}  // namespace pelmora
