#include "tools/choiview/ui/pdf_document_read.h"

#include <QBuffer>
#include <QPdfDocument>

#include "tools/choiview/viewer_file_bytes.h"

namespace pelmora {

std::unique_ptr<QPdfDocument> ReadPdfDocument(const std::string& path, const FileReadWait& wait) {
    std::optional<std::string> bytes = ReadWholeFile(path, kViewerMemoryReadLimit, wait);
    if (!bytes) return nullptr;
    auto document = std::make_unique<QPdfDocument>();
    // QtPdf reads the device as long as the document lives: the document owns the buffer.
    auto* buffer = new QBuffer(document.get());
    buffer->setData(QByteArray::fromStdString(*bytes));
    bytes.reset();
    if (!buffer->open(QIODevice::ReadOnly)) return nullptr;
    document->load(buffer);
    // load(QIODevice*) reports through status(); with the whole PDF in memory it is done at once.
    if (document->status() != QPdfDocument::Status::Ready || document->pageCount() < 1) return nullptr;
    return document;
}

}  // namespace pelmora
