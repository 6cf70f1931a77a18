#include "platform/process_runner.h"

namespace pelmora::platform {

// Not available on Windows yet: no child process is ever started, so none is ever waited for.

ChildProcess::~ChildProcess() = default;

std::unique_ptr<ChildProcess> ChildProcess::Start(const std::vector<std::string>&, std::string& error) {
    error = "starting a program is not available on Windows yet";
    return nullptr;
}

bool ChildProcess::WaitFor(std::chrono::milliseconds) { return ended_; }

void ChildProcess::Kill() {}

std::optional<int> ChildProcess::ExitCode() const {
    if (!ended_) return std::nullopt;
    return exitStatus_;
}

bool ChildProcess::Collect(bool) { return ended_; }

bool StartIndependentProgram(const std::vector<std::string>&, std::string& error) {
    error = "starting a program is not available on Windows yet";
    return false;
}

}  // namespace pelmora::platform
