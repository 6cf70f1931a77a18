#pragma once
// The picture ChoiView's picture box or page view shows for a file, drawn without a window
// by the displays' own reading functions.

#include <QImage>
#include <string>

#include "tools/render/render_request.h"

namespace pelmora {

struct RenderedPicture {
    QImage image;         // null when nothing could be drawn
    std::string failure;  // then, why (a whole line after the program's name)
};

// The picture at its natural size (a page at 96 dpi) brought to fit request.size.
RenderedPicture DrawForRequest(const RenderRequest& request);

}  // namespace pelmora
