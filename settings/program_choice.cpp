#include "settings/program_choice.h"

#include "platform/file_system.h"

namespace pelmora {

ProgramChoiceStart ProgramChoiceStartFor(const std::string& configuredProgram) {
    if (configuredProgram.empty() || !platform::FileExists(configuredProgram)) return {platform::HomeFolder(), {}};
    const std::size_t separator = platform::LastSeparator(configuredProgram);
    if (separator == std::string::npos) return {platform::HomeFolder(), {}};
    std::string folder = configuredProgram.substr(0, separator);
    if (folder.empty()) folder = platform::RootFolder();
    return {folder, configuredProgram.substr(separator + 1)};
}

}  // namespace pelmora
