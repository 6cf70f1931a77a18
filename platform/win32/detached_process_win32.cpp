#include "platform/detached_process.h"

namespace pelmora::platform {

// Not available on Windows yet: the clipboard keeper is part of the window's port.

DetachedStart StartDetachedProcess(const std::string&, const std::vector<std::string>&, const std::string&,
                                   std::chrono::milliseconds) {
    return {};
}

void ReleaseStandardStreams() {}

bool ProcessIsAlive(int) { return false; }

}  // namespace pelmora::platform
