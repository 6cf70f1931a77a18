#include "platform/process_starter.h"

#include "platform/process_runner.h"
#include "platform/win32/job_process_win32.h"
#include "platform/win32/wide_path_win32.h"

namespace pelmora::platform {

namespace {

// cmd's code for a command it could not find.
constexpr DWORD kCommandNotFound = 9009;

class Win32ProcessStarter final : public ProcessStarter {
public:
    ScriptRunOutcome RunCommandScript(const std::string& scriptPath, std::chrono::milliseconds timeout) override {
        // "/s /c" and quotes around the whole: cmd takes off the outer pair and runs the rest
        // as written, whatever the script's path holds.
        std::wstring commandLine = L"cmd.exe /d /s /c \"" + win32::QuotedArgument(win32::WideFromUtf8(scriptPath)) + L"\"";
        std::string error;
        const auto started = win32::StartInJob(std::move(commandLine), error);
        if (!started) return ScriptRunOutcome::ScriptNotStarted;
        const auto wait = static_cast<DWORD>(std::min<long long>(timeout.count() < 0 ? 0 : timeout.count(), INFINITE - 1));
        ScriptRunOutcome outcome = ScriptRunOutcome::Finished;
        if (WaitForSingleObject(started->process, wait) != WAIT_OBJECT_0) {
            // The whole job: the script's programs stop writing, too.
            TerminateJobObject(started->job, 1);
            WaitForSingleObject(started->process, INFINITE);
            outcome = ScriptRunOutcome::TimedOut;
        } else {
            DWORD code = 0;
            GetExitCodeProcess(started->process, &code);
            if (code == kCommandNotFound) outcome = ScriptRunOutcome::ProgramNotStarted;
        }
        CloseHandle(started->process);
        CloseHandle(started->job);
        return outcome;
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
    static Win32ProcessStarter starter;
    return starter;
}

}  // namespace pelmora::platform
