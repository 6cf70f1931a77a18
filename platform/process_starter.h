#pragma once
// How the commands start other programs: a command script waited for, a program that lives
// on by itself, a file opened with the desktop's program for it. Commands take the starter
// as an interface, so that tests can hand them one that records the calls or plays a case
// a real program cannot be made to produce.

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "platform/desktop_launch.h"

namespace pelmora::platform {

enum class ScriptRunOutcome {
    Finished,           // the script ran to its end
    TimedOut,           // still running at the time-out: it was ended with all it had started
    ScriptNotStarted,   // the script language's interpreter could not be started
    ProgramNotStarted,  // the interpreter reported a program of the script it could not execute
};

class ProcessStarter {
public:
    virtual ~ProcessStarter() = default;
    // Runs a command script (see command_script.h) without a window and waits at most
    // `timeout` for it to end.
    virtual ScriptRunOutcome RunCommandScript(const std::string& scriptPath, std::chrono::milliseconds timeout) = 0;
    // Starts arguments[0] with the whole vector as its arguments, no shell reading any of
    // them, as a program that outlives this one. True when it was started.
    virtual bool StartProgram(const std::vector<std::string>& arguments) = 0;
    // Opens the file or folder with the desktop's default program for it (desktop_launch.h).
    // True when the opener was started.
    virtual bool OpenWithDefaultProgram(const std::string& path) = 0;
    // Opens it the same way and reports through `done` how the opener ended, maybe on
    // another thread and later (desktop_launch.h). Without a report of its own a starter
    // counts a started opener as opened.
    virtual void OpenWithDefaultProgramReporting(const std::string& path, std::function<void(OpenerOutcome)> done) {
        done(OpenWithDefaultProgram(path) ? OpenerOutcome::Opened : OpenerOutcome::NoOpener);
    }
};

// The starter of the running system.
ProcessStarter& SystemProcessStarter();

}  // namespace pelmora::platform
