#pragma once
// Which image-reader plug-in serves a picture, chosen by the extension PluginExtension
// (viewer_file_names.h) takes from its path, and the two messages of a plug-in that cannot be
// used.

#include <string>
#include <string_view>

namespace pelmora {

// The library file name for an extension as PluginExtension gives it ("iftiff.spi" for TIF
// and TIFF); empty when no plug-in serves it.
std::string_view PluginLibraryOf(std::string_view extension);

// "<library>による表示に失敗しました" when the library exists, "<library>が見つかりません"
// when it does not.
std::string PluginFailureMessage(std::string_view library, bool libraryExists);

}  // namespace pelmora
