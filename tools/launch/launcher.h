#pragma once
// The "関連付け起動" command: opens the selected file with the program configured for its
// extension, or else with the desktop's associated program, guarded for executable content.

#include <string>
#include <string_view>

#include "listing/engine/browser_state.h"
#include "listing/engine/job_context.h"
#include "platform/process_starter.h"
#include "settings/settings_record.h"

namespace pelmora {

// True for the 44 extensions (upper case, without the dot) of Windows programs, scripts,
// shortcuts and other executable content. What the desktop opener of this system would run
// besides is the platform's to say (platform::OpeningRunsProgram).
bool IsGuardedExtension(std::string_view upperExtension);

enum class LaunchGuard { Allowed, Ask, Refused };

// ExtStartLock "0" guards nothing, "2" refuses guarded files, anything else asks first.
// A file is guarded by its extension or, because the desktop opener runs programs, when
// opening it would run it (see platform::OpeningRunsProgram).
LaunchGuard CheckLaunchGuard(const std::string& extStartLock, std::string_view upperExtension, bool runsProgram);

struct LaunchPlan {
    int slot = 0;         // 1 to 5: the configured program of that slot; 0: the associated program
    std::string program;  // the configured program's path
    std::string target;   // the file (or folder) to open
};

// The first slot whose extension (without regard to case) equals the file's and whose
// program path is set; an empty slot extension matches a file without extension.
LaunchPlan PlanLaunch(const Settings& settings, std::string_view upperExtension, const std::string& target);

// The whole command on the browser's first selected file (the folder itself when nothing
// is selected). A configured program starts with the file as its one argument, no shell
// reading either; otherwise the desktop's default program opens the file. Whether either
// started is not examined.
void LaunchSelectedFile(const BrowserState& state, const Settings& settings, UserDialogs& dialogs,
                        platform::ProcessStarter& starter);

}  // namespace pelmora
