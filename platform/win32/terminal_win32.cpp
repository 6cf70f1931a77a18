#include "platform/terminal.h"

#include <windows.h>

namespace pelmora::platform {

namespace {
// A console, not a pipe or a file (GetConsoleMode fails for those).
bool IsConsole(DWORD stream) {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(stream), &mode) != 0;
}
}  // namespace

bool StandardInputIsTerminal() { return IsConsole(STD_INPUT_HANDLE); }
bool StandardErrorIsTerminal() { return IsConsole(STD_ERROR_HANDLE); }

std::optional<std::string> ReadStandardInputLine() {
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    std::string line;
    if (IsConsole(STD_INPUT_HANDLE)) {
        // The console hands out UTF-16; the answer goes on as UTF-8, as on every platform.
        for (;;) {
            wchar_t unit = 0;
            DWORD got = 0;
            if (!ReadConsoleW(input, &unit, 1, &got, nullptr)) return std::nullopt;
            if (got == 0) return line.empty() ? std::nullopt : std::optional<std::string>(line);
            if (unit == L'\n') break;
            if (unit == L'\r') continue;
            char bytes[4];
            const int n = WideCharToMultiByte(CP_UTF8, 0, &unit, 1, bytes, sizeof bytes, nullptr, nullptr);
            line.append(bytes, static_cast<std::size_t>(n > 0 ? n : 0));
        }
        return line;
    }
    for (;;) {
        char byte = 0;
        DWORD got = 0;
        if (!ReadFile(input, &byte, 1, &got, nullptr)) {
            // The writer closed its end of the pipe: the end of the input.
            if (GetLastError() != ERROR_BROKEN_PIPE) return std::nullopt;
            got = 0;
        }
        if (got == 0) return line.empty() ? std::nullopt : std::optional<std::string>(line);
        if (byte == '\n') {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            return line;
        }
        line.push_back(byte);
    }
}

}  // namespace pelmora::platform
