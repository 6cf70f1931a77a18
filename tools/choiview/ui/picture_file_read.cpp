#include "tools/choiview/ui/picture_file_read.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <cstdint>

#include "platform/file_system_service.h"
#include "tools/choiview/bitmap_file_check.h"
#include "tools/choiview/metafile_svg.h"

namespace pelmora {

namespace {

constexpr std::uint64_t kLargestPictureFile = std::uint64_t{1} << 30;

// Metafiles are drawn at the screen's usual resolution.
constexpr double kMetafileDpi = 96.0;

// The SVG at the picture's natural size, on white where it draws nothing.
QImage DrawSvg(const MetafileSvg& picture) {
    QSvgRenderer renderer(QByteArray::fromStdString(picture.svg));
    if (!renderer.isValid()) return QImage();
    QImage image(picture.width, picture.height, QImage::Format_RGB32);
    if (image.isNull()) return image;
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(0, 0, picture.width, picture.height));
    return image;
}

}  // namespace

QImage ReadPictureFile(const std::string& path, const platform::IsolatedRunner& run) {
    if (const MetafileReading metafile = ReadMetafileAsSvg(path, kMetafileDpi, run); metafile.isMetafile)
        return metafile.picture ? DrawSvg(*metafile.picture) : QImage();
    // Read through the file system, as Qt cannot open a share's path.
    std::error_code error;
    const auto file = platform::FileSystemFor(path).OpenFileForReading(path, error);
    if (!file) return {};
    // Qt decodes no picture over 256 MiB; a file of a gigabyte is none it could show.
    if (file->Size() > kLargestPictureFile) return {};
    QByteArray bytes;
    // Read straight into its place: a large bitmap is not copied as the buffer grows.
    bytes.resize(static_cast<qsizetype>(std::max<std::uint64_t>(file->Size(), 1)));
    qsizetype filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (static_cast<std::uint64_t>(filled) >= kLargestPictureFile) return {};  // grew while read
            bytes.resize(bytes.size() * 2);
        }
        std::size_t got = 0;
        // A read that fails part way would leave the picture cut short.
        if (!file->Read(bytes.data() + filled, static_cast<std::size_t>(bytes.size() - filled), got)) return {};
        if (got == 0) break;
        filled += static_cast<qsizetype>(got);
    }
    bytes.truncate(filled);
    const std::string_view content(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    // Qt would show the rows a short bitmap lacks as whatever memory the image got.
    if (IsBitmapFile(content) && !BitmapFileIsWhole(content)) return {};
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

}  // namespace pelmora
