#pragma once
// Starting a program on Windows from an argument vector: its command line quoted as the
// C runtime's argument parser reads it back, no console window, standard streams on NUL, and
// in a job object of its own, so that ending it ends whatever it started too.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pelmora::platform::win32 {

// One argument as CommandLineToArgvW and the C runtime read it back unchanged.
std::wstring QuotedArgument(std::wstring_view argument);
// The arguments (UTF-8) as one command line.
std::wstring CommandLineOf(const std::vector<std::string>& arguments);

struct JobProcess {
    HANDLE process = nullptr;
    HANDLE job = nullptr;  // ends every process in it when closed
};

// Starts the command line; nothing on failure, with the system's reason.
std::optional<JobProcess> StartInJob(std::wstring commandLine, std::string& error);

// The system's text for an error code, in UTF-8.
std::string SystemErrorText(DWORD code);

}  // namespace pelmora::platform::win32
