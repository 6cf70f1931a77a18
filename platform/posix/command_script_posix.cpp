#include "platform/command_script.h"

#include <fstream>

namespace pelmora::platform {

namespace {

// Single quotes keep every character as it is; a quote itself ends the quoted part, goes
// escaped, and a new quoted part begins.
std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    quoted += '\'';
    return quoted;
}

}  // namespace

const char kCommandScriptExtension[] = ".sh";

std::string RedirectedCommandLine(const std::vector<std::string>& command, const std::string& outputPath,
                                  std::string_view trailing) {
    std::string line;
    for (const std::string& word : command) {
        if (!line.empty()) line += ' ';
        line += ShellQuoted(word);
    }
    line += " > " + ShellQuoted(outputPath);
    line += trailing;
    return line;
}

bool WriteCommandScript(const std::string& path, const std::string& line) {
    // LF, not CR LF: the shell would take a CR as part of the last argument.
    std::ofstream script(path, std::ios::binary | std::ios::trunc);
    script << line << '\n';
    script.close();
    return static_cast<bool>(script);
}

}  // namespace pelmora::platform
