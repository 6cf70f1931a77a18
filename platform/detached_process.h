#pragma once
// Starting a helper process that outlives this one. On X11 and Wayland the clipboard is
// served by the program that set it, so a result that must stay on the clipboard after the
// program ends is handed to such a helper.

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"  // ProgramExecutable, to start another copy of the program

namespace pelmora::platform {

struct DetachedStart {
    int processId = -1;                // the helper, or -1 when it could not be started
    std::optional<std::string> reply;  // its first line (without the line end), when it gave one
};

// Starts `program` with `arguments` (argv[1]...) in a session of its own, so that neither
// the end of this process nor a closed terminal ends it, and it is never this process's
// child to wait for. `input` is fed on its standard input, followed by end of file; its
// standard error goes nowhere. Waits at most `timeout` for the first line it writes on its
// standard output. A helper that has not answered by then is killed.
DetachedStart StartDetachedProcess(const std::string& program, const std::vector<std::string>& arguments,
                                   const std::string& input, std::chrono::milliseconds timeout);

// In the helper, once it has answered: points standard input, output and error at nothing,
// so that whoever reads the helper's output (a pipe of a shell or a test runner) sees its end.
void ReleaseStandardStreams();

// True when the process exists (for tests and for waiting on a helper).
bool ProcessIsAlive(int processId);

}  // namespace pelmora::platform
