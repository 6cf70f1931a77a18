#pragma once
// Reading the fields of the system's mount table (/proc/self/mountinfo).

#include <string>
#include <string_view>

namespace pelmora::platform {

// The table writes space, TAB, newline and backslash as octal "\ooo".
inline std::string UnescapeMountField(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] >= '0' && text[i + 1] <= '3' &&
            text[i + 2] >= '0' && text[i + 2] <= '7' && text[i + 3] >= '0' && text[i + 3] <= '7') {
            out += static_cast<char>((text[i + 1] - '0') * 64 + (text[i + 2] - '0') * 8 + (text[i + 3] - '0'));
            i += 3;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace pelmora::platform
