#pragma once
// What a page shown from a file (on the local disk or a share) may load of other files: its
// own resources, that is files in its folder or below it, outside hidden files and folders
// (".ssh", ".config", ...). Links are followed first, so a link inside the folder that leads
// out of it (keys -> ../.ssh) or to a hidden name counts where it leads. Pages are served
// through the viewer's own URL scheme with an opaque origin per file, so a script never
// reads what a page embeds; this rule keeps anything else from being embedded at all.

#include <optional>
#include <string>
#include <string_view>

namespace pelmora {

enum class LocalFileUse {
    Navigation,  // a frame's document (the page itself, a frame, a link the user follows)
    Embedded,    // picture, style sheet, script, font, media
    Request,     // a script's request (XMLHttpRequest, fetch), a beacon, a worker, anything else
};

// The path with every link resolved (local files); a share's path as it is, as the server
// resolves its links itself. Nothing when a local path does not exist.
std::optional<std::string> ResolvedPagePath(const std::string& path);

// pagePath: the file the viewer was asked to show (empty when none); filePath: the file asked
// for. Both absolute. The page itself is always let through (but never to a script's
// request); anything else only when it passes the folder rule both as asked and as resolved.
bool LocalPageMayLoad(std::string_view pagePath, std::string_view filePath, LocalFileUse use);

}  // namespace pelmora
