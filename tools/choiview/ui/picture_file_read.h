#pragma once
// A picture file as the picture box shows it, read without any window class, so that the
// drawing program links none of the viewer's widgets (and the engines they load).

#include <QImage>
#include <string>

#include "platform/isolated_call.h"

namespace pelmora {

// The picture file as Qt's readers decode it (the format told by its content, so DIB and RLE
// files read as BMP), or an EMF or WMF drawn at its natural size; a null image when they
// cannot, or when a bitmap is cut short. The metafile libraries' run is waited for by `run`.
QImage ReadPictureFile(const std::string& path, const platform::IsolatedRunner& run = platform::WaitForIsolated);

}  // namespace pelmora
