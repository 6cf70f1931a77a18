#pragma once
// Archive member names as text: archives from Japanese systems store them in Shift_JIS
// (code page 932), newer ones in UTF-8.

#include <optional>
#include <string>

namespace pelmora {

// The name itself when it is ASCII or UTF-8, else its decoding from Shift_JIS; nothing
// when it is none of these.
std::optional<std::string> MemberNameAsUtf8(const std::string& raw);

}  // namespace pelmora
