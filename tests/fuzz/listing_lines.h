#pragma once
// Line checks the listing fuzz targets share.

#include <string_view>

namespace pelmora::fuzz {

// Every LF has its CR, and the text ends with a line end.
inline bool EveryLineEndsCrLf(std::string_view text) {
    if (!text.ends_with("\r\n")) return false;
    for (std::size_t at = text.find('\n'); at != std::string_view::npos; at = text.find('\n', at + 1)) {
        if (at == 0 || text[at - 1] != '\r') return false;
    }
    return true;
}

// The last line with its line end ("" for an empty text).
inline std::string_view LastLine(std::string_view text) {
    if (text.size() < 2) return text;
    const std::size_t start = text.rfind('\n', text.size() - 2);
    return text.substr(start == std::string_view::npos ? 0 : start + 1);
}

}  // namespace pelmora::fuzz
