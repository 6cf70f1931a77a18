#include "platform/process_runner.h"

#include <cstdio>
#include <map>
#include <mutex>

#include "platform/win32/job_process_win32.h"
#include "platform/win32/wide_path_win32.h"

namespace pelmora::platform {

namespace {

// The header keeps the process id; the handles of the process and its job live here.
std::mutex& HandlesMutex() {
    static std::mutex mutex;
    return mutex;
}
std::map<int, win32::JobProcess>& Handles() {
    static auto* handles = new std::map<int, win32::JobProcess>;  // never destroyed: children may end at exit
    return *handles;
}
win32::JobProcess HandlesOf(int processId) {
    std::lock_guard lock(HandlesMutex());
    const auto found = Handles().find(processId);
    return found == Handles().end() ? win32::JobProcess{} : found->second;
}

}  // namespace

ChildProcess::~ChildProcess() {
    if (!ended_) Kill();
    std::lock_guard lock(HandlesMutex());
    const auto found = Handles().find(processId_);
    if (found == Handles().end()) return;
    CloseHandle(found->second.process);
    CloseHandle(found->second.job);
    Handles().erase(found);
}

std::unique_ptr<ChildProcess> ChildProcess::Start(const std::vector<std::string>& arguments, std::string& error) {
    if (arguments.empty()) {
        error = "no program to start";
        return nullptr;
    }
    const auto started = win32::StartInJob(win32::CommandLineOf(arguments), error);
    if (!started) return nullptr;
    const int processId = static_cast<int>(GetProcessId(started->process));
    {
        std::lock_guard lock(HandlesMutex());
        Handles()[processId] = *started;
    }
    return std::unique_ptr<ChildProcess>(new ChildProcess(processId));
}

bool ChildProcess::Collect(bool block) {
    if (ended_) return true;
    const win32::JobProcess handles = HandlesOf(processId_);
    if (handles.process == nullptr) return false;
    if (WaitForSingleObject(handles.process, block ? INFINITE : 0) != WAIT_OBJECT_0) return false;
    DWORD code = 0;
    GetExitCodeProcess(handles.process, &code);
    exitStatus_ = static_cast<int>(code);
    ended_ = true;
    return true;
}

bool ChildProcess::WaitFor(std::chrono::milliseconds timeout) {
    if (ended_) return true;
    const win32::JobProcess handles = HandlesOf(processId_);
    if (handles.process == nullptr) return false;
    const auto wait = static_cast<DWORD>(std::min<long long>(timeout.count() < 0 ? 0 : timeout.count(), INFINITE - 1));
    if (WaitForSingleObject(handles.process, wait) != WAIT_OBJECT_0) return false;
    return Collect(false);
}

void ChildProcess::Kill() {
    if (ended_) return;
    const win32::JobProcess handles = HandlesOf(processId_);
    if (handles.job != nullptr) TerminateJobObject(handles.job, 1);
    if (handles.process != nullptr) TerminateProcess(handles.process, 1);
    Collect(true);
}

// Windows has no signals: a process that ended has an exit code.
std::optional<int> ChildProcess::ExitCode() const {
    if (!ended_) return std::nullopt;
    return exitStatus_;
}

bool StartIndependentProgram(const std::vector<std::string>& arguments, std::string& error) {
    if (arguments.empty()) {
        error = "no program to start";
        return false;
    }
    std::wstring commandLine = win32::CommandLineOf(arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    // Its own process group, outside any job this program is in, so it outlives this one.
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE,
                        CREATE_NEW_PROCESS_GROUP | CREATE_BREAKAWAY_FROM_JOB | CREATE_UNICODE_ENVIRONMENT, nullptr,
                        nullptr, &startup, &started) &&
        !CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE,
                        CREATE_NEW_PROCESS_GROUP | CREATE_UNICODE_ENVIRONMENT, nullptr, nullptr, &startup, &started)) {
        error = win32::SystemErrorText(GetLastError());
        return false;
    }
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return true;
}

}  // namespace pelmora::platform

namespace pelmora::platform {

// Windows cannot replace a process's program: the program runs as a child on this process's
// standard handles, and this process ends with its exit code once it ends.
void ReplaceThisProcess(const std::vector<std::string>& arguments, std::string& error) {
    if (arguments.empty() || arguments[0].empty()) {
        error = "no program";
        return;
    }
    std::wstring commandLine = win32::CommandLineOf(arguments);
    const std::wstring program = win32::WidePath(arguments[0]);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION started{};
    std::fflush(stdout);
    std::fflush(stderr);
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_UNICODE_ENVIRONMENT,
                        nullptr, nullptr, &startup, &started)) {
        error = win32::SystemErrorText(GetLastError());
        return;
    }
    CloseHandle(started.hThread);
    WaitForSingleObject(started.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(started.hProcess, &code);
    ExitProcess(code);
}

}  // namespace pelmora::platform
