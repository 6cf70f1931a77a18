#pragma once
// The layout tokens "<TAB>" and "<CRLF>" of the enclosing and separator texts.

#include <string>
#include <string_view>

namespace pelmora {

inline constexpr std::string_view kTabToken = "<TAB>";
inline constexpr std::string_view kCrLfToken = "<CRLF>";

// Trims spaces and turns the accepted spellings of a lone token into its canonical
// upper-case form; any other text (including a token inside longer text, or a spelling not
// accepted) comes back trimmed but otherwise as typed.
std::string CanonicalizeLayoutToken(std::string_view text);

}  // namespace pelmora
