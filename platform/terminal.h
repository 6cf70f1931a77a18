#pragma once
// Whether the standard streams are a terminal: a person who can answer, and a screen where
// a progress line may be redrawn.

namespace pelmora::platform {

bool StandardInputIsTerminal();
bool StandardErrorIsTerminal();

}  // namespace pelmora::platform
