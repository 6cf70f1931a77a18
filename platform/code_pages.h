#pragma once
// Text in the code pages older Japanese and Western systems wrote, as UTF-8.

#include <optional>
#include <string>
#include <string_view>

namespace pelmora::platform {

enum class CodePage {
    ShiftJis,     // Windows code page 932
    EucJp,        // 20932
    Windows1252,  // Western European
};

// The bytes decoded from the code page; nothing when they are not text in it (a byte
// sequence it does not define, or a control character standing in for one).
std::optional<std::string> DecodeCodePage(std::string_view bytes, CodePage page);

}  // namespace pelmora::platform
