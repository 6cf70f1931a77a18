#pragma once
// Command scripts in the platform's script language (POSIX: a /bin/sh script): the way to
// run a program whose output must land in a file by redirection. Every word of a command
// is quoted, so nothing in a file or folder name is expanded or executed.

#include <string>
#include <string_view>
#include <vector>

namespace pelmora::platform {

// The file name extension of a command script, with its dot.
extern const char kCommandScriptExtension[];

// One script line: the command's words, each quoted, its standard output redirected to
// outputPath, then `trailing` as it stands (switches written after the redirection).
std::string RedirectedCommandLine(const std::vector<std::string>& command, const std::string& outputPath,
                                  std::string_view trailing);

// Writes the line as the whole script, ended the way the script language wants. False when
// the file cannot be written.
bool WriteCommandScript(const std::string& path, const std::string& line);

}  // namespace pelmora::platform
