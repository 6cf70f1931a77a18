#pragma once
// Reading what another program hands this one on its standard input.

#include <string>

namespace pelmora::platform {

// Every byte up to the end of the input, as it came (no text conversion). Stops early only
// on a read error.
std::string ReadAllStandardInput();

}  // namespace pelmora::platform
