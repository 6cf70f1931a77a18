#include "tools/choiview/plugin_folders.h"

#include "platform/file_system.h"
#include "platform/shared_library.h"

namespace pelmora {

PluginFolders DefaultPluginFolders() {
    PluginFolders where;
    const std::string program = platform::ProgramFolder();
    if (!program.empty()) {
        where.folders.push_back(program);
        std::string installed = platform::JoinPath(program, "..");
        for (const char* part : {"lib", "pelmora", "spi"}) platform::AppendToPath(installed, part);
        where.folders.push_back(std::move(installed));
    }
    return where;
}

std::optional<std::string> FindPluginLibrary(const std::string& library, const PluginFolders& where) {
    std::vector<std::string> folders = where.folders;
    if (where.systemFolders) {
        for (std::string& folder : platform::SystemLibraryFolders()) folders.push_back(std::move(folder));
    }
    for (const std::string& folder : folders) {
        // A relative folder would depend on the current folder.
        if (folder.empty() || folder.front() != '/') continue;
        std::string path = platform::JoinPath(folder, library);
        if (platform::FileExists(path)) return path;
    }
    return std::nullopt;
}

bool LibraryExists(const std::string& library, const PluginFolders& where) {
    return FindPluginLibrary(library, where).has_value();
}

}  // namespace pelmora
