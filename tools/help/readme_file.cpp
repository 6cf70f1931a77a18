#include "tools/help/readme_file.h"

#include "platform/file_system.h"
#include "tools/help/help_texts.h"

namespace pelmora {
namespace {

// <prefix>/share/doc/pelmora for a program folder <prefix>/bin.
std::string InstalledDocFolder(const std::string& programFolder) {
    const std::string_view folder = platform::WithoutTrailingSeparators(programFolder);
    const std::size_t separator = platform::LastSeparator(folder);
    if (separator == std::string_view::npos) return {};
    std::string prefix(folder.substr(0, separator));
    if (prefix.empty()) prefix = platform::RootFolder();
    for (const char* part : {"share", "doc", "pelmora"}) platform::AppendToPath(prefix, part);
    return prefix;
}

}  // namespace

std::string FindReadme(const std::string& programFolder) {
    const std::string beside = platform::JoinPath(programFolder, help_texts::kReadmeName);
    if (platform::FileExists(beside)) return beside;
    const std::string docFolder = InstalledDocFolder(programFolder);
    if (docFolder.empty()) return {};
    const std::string installed = platform::JoinPath(docFolder, help_texts::kReadmeName);
    return platform::FileExists(installed) ? installed : std::string();
}

}  // namespace pelmora
