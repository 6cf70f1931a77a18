#pragma once
// What a local web page may load from the local disk: its own resources, that is files in
// its folder or below it, outside hidden files and folders (".ssh", ".config", ...), and only
// as embedded resources (pictures, styles, scripts, fonts, frames). No local file can be read
// by a script's request, and a navigation the user starts may go anywhere. So a page cannot
// read other local files and send them away, while saved pages keep their pictures and styles.

#include <string_view>

namespace pelmora {

enum class LocalFileUse {
    Navigation,  // the page itself, or a link the user follows
    Embedded,    // picture, style sheet, script, font, media, frame
    Request,     // a script's request (XMLHttpRequest, fetch), a beacon, a worker, anything else
};

// pagePath: the local file of the page on show (empty when it is not a local file);
// filePath: the local file asked for. Both absolute.
bool LocalPageMayLoad(std::string_view pagePath, std::string_view filePath, LocalFileUse use);

}  // namespace pelmora
