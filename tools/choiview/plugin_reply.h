#pragma once
// One run of an image-reader plug-in as the helper program pelmora-plugin-host does it, and
// its reply as the loader reads it back.

#include <optional>
#include <string>

#include "tools/choiview/plugin_picture.h"

namespace pelmora {

// Loads the plug-in, lets it decode the file and checks the bitmap it returns; the reply
// says the plug-in could not be used, or gives the code and, for a success, the picture.
std::string DecodeWithPlugin(const std::string& library, const std::string& path);

// The reply read back; nothing when it is not one DecodeWithPlugin makes.
std::optional<PluginPicture> ReadPluginReply(const std::string& reply);

}  // namespace pelmora
