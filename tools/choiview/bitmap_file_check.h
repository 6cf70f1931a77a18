#pragma once
// Whether a BMP file (also named .dib or .rle) holds every byte its picture needs. Qt's reader
// shows a file cut short with the rows it could not read left as whatever memory the image
// got, so a picture is handed to it only when it is whole.

#include <string_view>

namespace pelmora {

// The file starts as a BMP file does ("BM").
bool IsBitmapFile(std::string_view bytes);

// The header, the colour masks and the palette are in the file, and so are the pixels: every
// row of an uncompressed picture; for RLE4 and RLE8, runs up to the end-of-picture mark or the
// end of the last row, none of them reaching past the file's end. False for a form whose
// size cannot be worked out (an unknown header, bit depth or compression, or no pixels).
bool BitmapFileIsWhole(std::string_view bytes);

}  // namespace pelmora
