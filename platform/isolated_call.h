#pragma once
// Running a piece of work apart from this process, for libraries that read untrusted files
// and may fault on them: a crash or overwritten memory there cannot harm the program.

#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace pelmora::platform {

// The text `work` returns, computed in a separate copy of this process; nothing when that
// copy crashes, cannot be started, or has not finished within `timeout` (it is then killed).
std::optional<std::string> RunIsolated(const std::function<std::string()>& work, std::chrono::milliseconds timeout);

}  // namespace pelmora::platform
