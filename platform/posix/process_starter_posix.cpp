#include "platform/process_starter.h"

#include <memory>
#include <optional>

#include "platform/desktop_launch.h"
#include "platform/process_runner.h"

namespace pelmora::platform {

namespace {

class PosixProcessStarter : public ProcessStarter {
public:
    ScriptRunOutcome RunCommandScript(const std::string& scriptPath, std::chrono::milliseconds timeout) override {
        std::string error;
        std::unique_ptr<ChildProcess> shell = ChildProcess::Start({"/bin/sh", scriptPath}, error);
        if (!shell) return ScriptRunOutcome::ScriptNotStarted;
        if (!shell->WaitFor(timeout)) {
            shell->Kill();  // the whole group: the script's programs stop writing, too
            return ScriptRunOutcome::TimedOut;
        }
        // The shell's own codes for a program it could not find or execute.
        const std::optional<int> exitCode = shell->ExitCode();
        if (exitCode && (*exitCode == 126 || *exitCode == 127)) return ScriptRunOutcome::ProgramNotStarted;
        return ScriptRunOutcome::Finished;
    }

    bool StartProgram(const std::vector<std::string>& arguments) override {
        std::string error;
        return StartIndependentProgram(arguments, error);
    }

    bool OpenWithDefaultProgram(const std::string& path) override { return platform::OpenWithDefaultProgram(path); }
    void OpenWithDefaultProgramReporting(const std::string& path, std::function<void(OpenerOutcome)> done) override {
        platform::OpenWithDefaultProgramReporting(path, std::move(done));
    }
};

}  // namespace

ProcessStarter& SystemProcessStarter() {
    static PosixProcessStarter starter;
    return starter;
}

}  // namespace pelmora::platform
