#pragma once
// Trimming as the program's texts are trimmed: spaces only, a TAB is content.

#include <string_view>

namespace pelmora {

// A view into text without its leading and trailing spaces.
inline std::string_view TrimSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == text.npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace pelmora
