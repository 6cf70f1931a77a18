#include "app/command_line.h"

namespace pelmora {

const std::string_view kNoDisplayText =
    "pelmora: the window needs a display, and neither DISPLAY nor WAYLAND_DISPLAY is set.\n"
    "Without a display, `pelmora PATH...` writes the listing of PATH to standard output,\n"
    "and `pelmora-list` runs every listing from a terminal (see `pelmora-list --help`).\n";

CommandLineChoice ClassifyCommandLine(const std::vector<std::string>& arguments,
                                      const std::function<bool(const std::string&)>& pathExists) {
    bool blank = true;
    for (const std::string& argument : arguments) {
        if (argument.find_first_not_of(' ') != std::string::npos) blank = false;
    }
    if (blank) return {};
    if (arguments.front() == kKeepClipboardOption) return {CommandLineRequest::KeepClipboard, {}};
    for (const std::string& argument : arguments) {
        if (argument.empty() || argument[0] != '-' || pathExists(argument)) continue;
        if (arguments.size() == 1 && argument == "--help") return {CommandLineRequest::Help, {}};
        if (arguments.size() == 1 && argument == "--version") return {CommandLineRequest::Version, {}};
        return {CommandLineRequest::UnknownOption, argument};
    }
    return {CommandLineRequest::ListPaths, {}};
}

bool WindowCanBeShown(const char* display, const char* waylandDisplay, const char* qtPlatform) {
    for (const char* value : {display, waylandDisplay, qtPlatform}) {
        if (value != nullptr && *value != '\0') return true;
    }
    return false;
}

std::string ProgramUsageText() {
    return "usage: pelmora                 open the window\n"
           "       pelmora PATH...         list the files and folders PATH with the Drop… settings\n"
           "                               of Pelmora.ini, put the text on the clipboard and end\n"
           "       pelmora --help | --version\n"
           "Without a display the listing goes to standard output. A path that begins with \"-\"\n"
           "is taken as a path when it exists; otherwise write it as ./-name.\n"
           "pelmora-list runs every listing of the window from a terminal (pelmora-list --help).\n";
}

std::string ProgramVersionText() { return "pelmora " PELMORA_VERSION "\n"; }

}  // namespace pelmora
