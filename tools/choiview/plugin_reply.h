#pragma once
// One run of an image-reader plug-in as the helper program pelmora-plugin-host does it, and
// its reply as the loader reads it back.

#include <memory>
#include <optional>
#include <string>

#include "platform/isolated_call.h"
#include "tools/choiview/dib_picture.h"
#include "tools/choiview/plugin_picture.h"

namespace pelmora {

// Loads the plug-in, lets it decode the file and checks the bitmap it returns, turning its
// pixels into 0xffRRGGBB rows where `place` says (the helper: the block shared with its
// caller). The reply says the plug-in could not be used, or gives the code and, for a
// success, the picture's size.
std::string DecodeWithPlugin(const std::string& library, const std::string& path, const DibPlace& place);

// The reply read back, the picture's pixels taken from `pixels` (kept by the result, not
// copied); nothing when the reply is not one DecodeWithPlugin makes, or when a success's
// pixels do not fit in `pixels`.
std::optional<PluginPicture> ReadPluginReply(const std::string& reply,
                                             std::shared_ptr<const platform::SharedAnswerBytes> pixels);

}  // namespace pelmora
