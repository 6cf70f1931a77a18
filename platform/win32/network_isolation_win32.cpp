#include "platform/network_isolation.h"

namespace pelmora::platform {

// Not available on Windows yet: programs run as they are.
std::vector<std::string> WithoutNetwork(const std::vector<std::string>& arguments) { return arguments; }

bool NetworkIsolationAvailable() { return false; }

}  // namespace pelmora::platform
