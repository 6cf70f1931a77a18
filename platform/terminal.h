#pragma once
// Whether the standard streams are a terminal: a person who can answer, and a screen where
// a progress line may be redrawn; and reading the answer.

#include <optional>
#include <string>

namespace pelmora::platform {

bool StandardInputIsTerminal();
bool StandardErrorIsTerminal();

// One line from standard input without its LF; a last line without one counts too. Nothing
// at the end of the input or on a read error. Reads no byte past the line's end, so the
// rest stays for whoever reads next.
std::optional<std::string> ReadStandardInputLine();

}  // namespace pelmora::platform
