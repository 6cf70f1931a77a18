#pragma once
// EMF and WMF pictures as SVG text: EMF through libemf2svg, WMF through libwmf's SVG device.
// The records are walked before either library sees them (metafile_records.h), so a damaged
// file is refused here instead of being read past its end.

#include <optional>
#include <string>
#include <string_view>

#include "platform/isolated_call.h"
#include "tools/choiview/metafile_records.h"

namespace pelmora {

struct MetafileSvg {
    std::string svg;
    // The picture's natural size in pixels, from the file's own frame (EMF) or bounding box
    // and units per inch (WMF).
    int width = 0;
    int height = 0;
};

// The SVG of a metafile at `dpi` pixels per inch; nothing when the file is not a metafile,
// its records run past its end or lack the end record, or the library refuses it. The
// libraries run apart from the program, waited for by `run`.
std::optional<MetafileSvg> MetafileToSvg(std::string_view bytes, double dpi,
                                         const platform::IsolatedRunner& run = platform::WaitForIsolated);

struct MetafileReading {
    bool isMetafile = false;
    std::optional<MetafileSvg> picture;  // nothing when damaged or unreadable
};

// The file at path as MetafileToSvg converts it, read whole only when its head is a
// metafile's; isMetafile false for every other file, and for one that cannot be opened.
MetafileReading ReadMetafileAsSvg(const std::string& path, double dpi,
                                  const platform::IsolatedRunner& run = platform::WaitForIsolated);

}  // namespace pelmora
