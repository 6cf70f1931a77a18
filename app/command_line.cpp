#include "app/command_line.h"

#include "app/command_line_texts.h"
#include "i18n/translation.h"

namespace pelmora {

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

std::string ProgramUsageText() { return Translated(command_line_texts::kUsage); }

std::string UnknownOptionText(std::string_view option) {
    return Translated(command_line_texts::kUnknownOption, {option}) + ProgramUsageText();
}

std::string NoDisplayText() { return Translated(command_line_texts::kNoDisplay); }

std::string ProgramVersionText() { return "pelmora " PELMORA_VERSION "\n"; }

}  // namespace pelmora
