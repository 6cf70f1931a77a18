#pragma once
// A private scratch folder for work whose files must not land beside the program's own.

#include <string>

namespace pelmora::platform {

// A new, empty folder below the system's temporary folder that only this user may enter,
// its name beginning with prefix. Empty when none could be created. The caller removes it.
std::string CreatePrivateTemporaryFolder(const std::string& prefix);

}  // namespace pelmora::platform
