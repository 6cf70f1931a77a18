#include "tools/choiview/page_file_url.h"

#include <array>
#include <utility>

#include "tools/choiview/viewer_file_names.h"

namespace pelmora {

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

constexpr std::array<std::pair<std::string_view, std::string_view>, 30> kMimeOfExtension{{
    {"HTML", "text/html"},
    {"HTM", "text/html"},
    {"XHTML", "application/xhtml+xml"},
    {"MHT", "multipart/related"},
    {"MHTML", "multipart/related"},
    {"CSS", "text/css"},
    {"JS", "text/javascript"},
    {"MJS", "text/javascript"},
    {"JSON", "application/json"},
    {"TXT", "text/plain"},
    {"XML", "text/xml"},
    {"GIF", "image/gif"},
    {"JPG", "image/jpeg"},
    {"JPEG", "image/jpeg"},
    {"PNG", "image/png"},
    {"BMP", "image/bmp"},
    {"ICO", "image/x-icon"},
    {"SVG", "image/svg+xml"},
    {"WEBP", "image/webp"},
    {"WOFF", "font/woff"},
    {"WOFF2", "font/woff2"},
    {"TTF", "font/ttf"},
    {"OTF", "font/otf"},
    {"MP3", "audio/mpeg"},
    {"WAV", "audio/wav"},
    {"OGG", "audio/ogg"},
    {"MP4", "video/mp4"},
    {"WEBM", "video/webm"},
    {"PDF", "application/pdf"},
    {"SWF", "application/x-shockwave-flash"},
}};

}  // namespace

std::string PageFileUrl(const std::string& path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string url(kPageFileScheme);
    url += ':';
    for (std::size_t i = 0; i < path.size(); ++i) {
        const auto c = static_cast<unsigned char>(path[i]);
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                           c == '.' || c == '_' || c == '~' || (c == '/' && !(i == 1 && path[0] == '/'));
        if (plain) {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += kHex[c >> 4];
            url += kHex[c & 0xF];
        }
    }
    return url;
}

std::optional<std::string> PathOfPageFileUrl(std::string_view escapedPath) {
    std::string path;
    path.reserve(escapedPath.size());
    for (std::size_t i = 0; i < escapedPath.size(); ++i) {
        if (escapedPath[i] != '%') {
            path += escapedPath[i];
            continue;
        }
        if (i + 2 >= escapedPath.size()) return std::nullopt;
        const int high = HexValue(escapedPath[i + 1]);
        const int low = HexValue(escapedPath[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        path += static_cast<char>(high * 16 + low);
        i += 2;
    }
    if (path.empty() || path.front() != '/' || path.find('\0') != std::string::npos) return std::nullopt;
    return path;
}

std::string_view PageFileMimeType(std::string_view path) {
    const std::string extension = ViewerExtension(path);
    for (const auto& [known, mime] : kMimeOfExtension)
        if (known == extension) return mime;
    return "application/octet-stream";
}

}  // namespace pelmora
