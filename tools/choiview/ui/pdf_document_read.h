#pragma once
// A PDF for QtPdf, read through the file system service (a share's PDF shows as a local one).
// Shared by the viewer's PDF pages and whatever else draws a PDF's pages.

#include <memory>
#include <string>

class QPdfDocument;

namespace pelmora {

// The PDF at path, read whole into memory before QtPdf parses it; nothing when it cannot be
// read (missing, a share that drops, damaged, locked with a password, no pages).
std::unique_ptr<QPdfDocument> ReadPdfDocument(const std::string& path);

}  // namespace pelmora
