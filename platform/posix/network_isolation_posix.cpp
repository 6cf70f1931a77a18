#include "platform/network_isolation.h"

#include <chrono>

#include "platform/process_runner.h"

namespace pelmora::platform {

namespace {

// The same user inside (root stays root), and a network of its own with nothing in it but
// an unconfigured loopback.
const std::vector<std::string>& Prefix() {
    static const std::vector<std::string> prefix{"unshare", "--net", "--map-current-user", "--"};
    return prefix;
}

bool Probe() {
    std::vector<std::string> arguments = Prefix();
    arguments.emplace_back("true");
    std::string error;
    const std::unique_ptr<ChildProcess> probe = ChildProcess::Start(arguments, error);
    if (!probe) return false;
    if (!probe->WaitFor(std::chrono::seconds(10))) return false;
    return probe->ExitCode() == 0;
}

}  // namespace

bool NetworkIsolationAvailable() {
    static const bool available = Probe();
    return available;
}

std::vector<std::string> WithoutNetwork(const std::vector<std::string>& arguments) {
    if (!NetworkIsolationAvailable()) return {};
    std::vector<std::string> wrapped = Prefix();
    wrapped.insert(wrapped.end(), arguments.begin(), arguments.end());
    return wrapped;
}

}  // namespace pelmora::platform
