#include "platform/win32/job_process_win32.h"

#include <system_error>

#include "platform/win32/wide_path_win32.h"

namespace pelmora::platform::win32 {

std::wstring QuotedArgument(std::wstring_view argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring_view::npos) {
        return std::wstring(argument);
    }
    // Backslashes are literal unless they stand before a quote: there they are doubled, and
    // the quote itself escaped.
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        if (c == L'"') {
            quoted.append(backslashes * 2 + 1, L'\\');
        } else {
            quoted.append(backslashes, L'\\');
        }
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    quoted += L'"';
    return quoted;
}

std::wstring CommandLineOf(const std::vector<std::string>& arguments) {
    std::wstring line;
    for (const std::string& argument : arguments) {
        if (!line.empty()) line += L' ';
        line += QuotedArgument(WideFromUtf8(argument));
    }
    return line;
}

std::string SystemErrorText(DWORD code) {
    return std::system_category().message(static_cast<int>(code));
}

std::optional<JobProcess> StartInJob(std::wstring commandLine, std::string& error) {
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    const HANDLE nul = CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   &inheritable, OPEN_EXISTING, 0, nullptr);
    if (nul == INVALID_HANDLE_VALUE) {
        error = SystemErrorText(GetLastError());
        return std::nullopt;
    }
    const HANDLE job = CreateJobObjectW(nullptr, nullptr);
    if (job == nullptr) {
        error = SystemErrorText(GetLastError());
        CloseHandle(nul);
        return std::nullopt;
    }
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = nul;
    PROCESS_INFORMATION started{};
    // Suspended until it is in the job, so nothing it starts escapes the job.
    const BOOL ok = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                                   CREATE_SUSPENDED | CREATE_NO_WINDOW | CREATE_UNICODE_ENVIRONMENT, nullptr, nullptr,
                                   &startup, &started);
    const DWORD startError = GetLastError();
    CloseHandle(nul);
    if (!ok) {
        error = SystemErrorText(startError);
        CloseHandle(job);
        return std::nullopt;
    }
    AssignProcessToJobObject(job, started.hProcess);
    ResumeThread(started.hThread);
    CloseHandle(started.hThread);
    return JobProcess{started.hProcess, job};
}

}  // namespace pelmora::platform::win32
