#pragma once
// A PDF for QtPdf, read through the file system service (a share's PDF shows as a local one).
// Shared by the viewer's PDF pages and whatever else draws a PDF's pages.

#include <memory>
#include <string>

#include "tools/choiview/viewer_file_bytes.h"

class QPdfDocument;

namespace pelmora {

// The PDF at path, read whole into memory (a share's file through `wait`) before QtPdf parses
// it; nothing when it cannot be read (missing, a share that drops, damaged, locked with a
// password, no pages) or the wait was given up.
std::unique_ptr<QPdfDocument> ReadPdfDocument(const std::string& path, const FileReadWait& wait = ReadOnThisThread);

}  // namespace pelmora
