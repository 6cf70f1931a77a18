#pragma once
// The viewer's own URL scheme, through which the web view reads every file it shows (pages,
// pictures, and the files a page embeds): the bytes come from the file system service, so a
// share's path is served the same way as a local one, and each file is an origin of its own
// that no other can read.
//
// The URL's path is the file's path, every byte outside the unreserved ones and "/" escaped;
// a share's path (//server/share/...) keeps its second slash escaped ("/%2Fserver/share/..."),
// so relative links inside it still resolve by plain path steps.

#include <optional>
#include <string>
#include <string_view>

namespace pelmora {

inline constexpr std::string_view kPageFileScheme = "pelmora-file";

// "pelmora-file:/home/u/a%20b.html" for "/home/u/a b.html". path: absolute.
std::string PageFileUrl(const std::string& path);

// The file's path from the URL's path as sent (escaped); nothing when it is no absolute path
// or holds a NUL.
std::optional<std::string> PathOfPageFileUrl(std::string_view escapedPath);

// The content type the web engine is told, by the file's extension (any case);
// "application/octet-stream" when it is not known.
std::string_view PageFileMimeType(std::string_view path);

}  // namespace pelmora
