#include "platform/desktop_launch.h"

namespace pelmora::platform {

// Not available on Windows yet (AssocQueryStringW and ShellExecuteExW come with the window's
// port). Every file counts as one that would run a program, so the launcher's guard asks.
bool OpeningRunsProgram(const std::string&) { return true; }

bool OpenWithDefaultProgram(const std::string&) { return false; }

void OpenWithDefaultProgramReporting(const std::string&, std::function<void(OpenerOutcome)> done) {
    done(OpenerOutcome::NoOpener);
}

}  // namespace pelmora::platform
