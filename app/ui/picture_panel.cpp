#include "app/ui/picture_panel.h"

#include <QMouseEvent>
#include <QPainter>
#include <fstream>
#include <sstream>

namespace pelmora {

QImage LoadPictureFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return {};
    std::stringstream bytes;
    bytes << file.rdbuf();
    const std::string data = bytes.str();
    return QImage::fromData(reinterpret_cast<const uchar*>(data.data()), static_cast<int>(data.size()));
}

PicturePanel::PicturePanel(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(false);
    setAttribute(Qt::WA_TranslucentBackground);
}

void PicturePanel::Picture(const QImage& picture, const QImage& mask, const QColor& maskColour) {
    maskColour_ = maskColour;
    QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    const QImage maskImage = mask.convertToFormat(QImage::Format_RGB32);
    const QRgb transparentKey = maskColour.rgb() | 0xFF000000u;
    for (int y = 0; y < image.height() && y < maskImage.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        const auto* maskRow = reinterpret_cast<const QRgb*>(maskImage.constScanLine(y));
        for (int x = 0; x < image.width() && x < maskImage.width(); ++x) {
            if ((maskRow[x] | 0xFF000000u) == transparentKey) row[x] = qRgba(0, 0, 0, 0);
        }
    }
    shown_ = QPixmap::fromImage(image);
    updateGeometry();
    update();
}

void PicturePanel::SetPictureFiles(const std::string& first, const std::string& second) {
    firstFile_ = first;
    secondFile_ = second;
}

bool PicturePanel::ShowFirstPicture() { return !firstFile_.empty() && ShowPictureFile(firstFile_, 1); }

bool PicturePanel::ShowPictureFile(const std::string& path, int number) {
    const QImage image = LoadPictureFile(path);
    if (image.isNull()) return false;
    Picture(image, image, maskColour_);
    pictureNumber_ = number;
    return true;
}

QSize PicturePanel::sizeHint() const { return shown_.isNull() ? QSize(64, 64) : shown_.size(); }

void PicturePanel::paintEvent(QPaintEvent*) {
    if (shown_.isNull()) return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, shown_);
}

void PicturePanel::mousePressEvent(QMouseEvent* event) {
    QWidget::mousePressEvent(event);
    if (firstFile_.empty() || secondFile_.empty()) return;
    // A picture that cannot be loaded leaves the panel as it was.
    if (pictureNumber_ == 1) {
        ShowPictureFile(secondFile_, 2);
    } else {
        ShowPictureFile(firstFile_, 1);
    }
}

}  // namespace pelmora
