#include "platform/command_script.h"

#include <windows.h>

#include "platform/win32/wide_path_win32.h"

namespace pelmora::platform {

namespace {

// A word for cmd and for the started program's argument parser, in double quotes: a quote
// inside goes escaped with a backslash, the backslashes before it (and before the closing
// quote) doubled, as CommandLineToArgvW reads them; "%", which cmd expands even inside
// quotes in a batch file, is written "%%".
std::string BatchQuoted(const std::string& text) {
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (char c : text) {
        if (c == '\\') {
            ++backslashes;
            quoted += c;
            continue;
        }
        if (c == '"') {
            quoted.append(backslashes + 1, '\\');
        }
        backslashes = 0;
        if (c == '%') {
            quoted += "%%";
        } else {
            quoted += c;
        }
    }
    // A closing quote must not be escaped by the backslashes before it.
    quoted.append(backslashes, '\\');
    quoted += '"';
    return quoted;
}

}  // namespace

const char kCommandScriptExtension[] = ".bat";

std::string RedirectedCommandLine(const std::vector<std::string>& command, const std::string& outputPath,
                                  std::string_view trailing) {
    std::string line;
    for (const std::string& word : command) {
        if (!line.empty()) line += ' ';
        line += BatchQuoted(word);
    }
    line += " > " + BatchQuoted(outputPath);
    line += trailing;
    return line;
}

bool WriteCommandScript(const std::string& path, const std::string& line) {
    // cmd reads a batch file in the console's code page: switched to UTF-8 first, quietly.
    const std::string script = "@echo off\r\nchcp 65001 >nul\r\n" + line + "\r\n";
    const HANDLE file = CreateFileW(win32::WidePath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, script.data(), static_cast<DWORD>(script.size()), &written, nullptr) &&
                    written == script.size();
    return CloseHandle(file) && ok;
}

}  // namespace pelmora::platform
