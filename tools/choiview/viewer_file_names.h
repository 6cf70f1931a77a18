#pragma once
// The two ways ChoiView reads a file's extension.

#include <string>
#include <string_view>

namespace pelmora {

// The extension that chooses the display: the text after the path's last dot, in upper case
// (ASCII letters only); empty when there is none.
std::string ViewerExtension(std::string_view path);

// The extension that chooses an image-reader plug-in: the first of the last 3, 4 or 5
// characters of the path that starts with a dot gives the rest in upper case, so extensions
// of two to four characters are found. Without such a dot, the last five characters as they
// stand (the whole path when it is shorter), which no plug-in answers to.
std::string PluginExtension(std::string_view path);

}  // namespace pelmora
