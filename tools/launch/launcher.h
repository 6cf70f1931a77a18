#pragma once
// The "関連付け起動" command: opens the selected file with the program configured for its
// extension, or else with the desktop's associated program, guarded for executable content.

#include <string>
#include <string_view>

#include "listing/engine/browser_state.h"
#include "listing/engine/job_context.h"
#include "settings/settings_record.h"

namespace pelmora {

// How the command reaches the system; the tests record the calls instead.
class ProcessStarter {
public:
    virtual ~ProcessStarter() = default;
    virtual bool FileExists(const std::string& path) = 0;
    // A regular file with an execute permission bit.
    virtual bool IsExecutableFile(const std::string& path) = 0;
    // Runs program with exactly one argument, file; no shell reads either.
    virtual void StartProgram(const std::string& program, const std::string& file) = 0;
    // Opens path with the desktop's associated program.
    virtual void OpenWithAssociation(const std::string& path) = 0;
};

// The real thing: programs start in a session of their own; the desktop opener is xdg-open.
class SystemProcessStarter : public ProcessStarter {
public:
    bool FileExists(const std::string& path) override;
    bool IsExecutableFile(const std::string& path) override;
    void StartProgram(const std::string& program, const std::string& file) override;
    void OpenWithAssociation(const std::string& path) override;
};

// True for the extensions (upper case, without the dot) of programs, scripts, shortcuts and
// other executable content: the 44 of the original list plus DESKTOP, SH, RUN and APPIMAGE,
// which the desktop opener would also run here.
bool IsGuardedExtension(std::string_view upperExtension);

enum class LaunchGuard { Allowed, Ask, Refused };

// ExtStartLock "0" guards nothing, "2" refuses guarded files, anything else asks first.
// A file is guarded by its extension or, because the desktop opener runs programs, by
// an execute permission bit.
LaunchGuard CheckLaunchGuard(const std::string& extStartLock, std::string_view upperExtension, bool executableFile);

struct LaunchPlan {
    int slot = 0;         // 1 to 5: the configured program of that slot; 0: the associated program
    std::string program;  // the configured program's path
    std::string target;   // the file (or folder) to open
};

// The first slot whose extension (without regard to case) equals the file's and whose
// program path is set; an empty slot extension matches a file without extension.
LaunchPlan PlanLaunch(const Settings& settings, std::string_view upperExtension, const std::string& target);

// The whole command on the browser's first selected file (the folder itself when nothing
// is selected).
void LaunchSelectedFile(const BrowserState& state, const Settings& settings, UserDialogs& dialogs,
                        ProcessStarter& starter);

}  // namespace pelmora
