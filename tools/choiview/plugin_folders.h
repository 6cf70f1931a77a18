#pragma once
// Where image-reader plug-ins are looked for: the program's folder, the installed plug-in
// folder (lib/pelmora/spi beside the program's bin folder), then the system's library folders.

#include <optional>
#include <string>
#include <vector>

namespace pelmora {

struct PluginFolders {
    std::vector<std::string> folders;  // searched first, in order
    bool systemFolders = true;         // then the system's library search
};

// The program's folder and its installed plug-in folder, then the system's.
PluginFolders DefaultPluginFolders();

// The full path of the library in the first folder that holds it; nullopt when none does.
// Relative folders are skipped: only absolute paths are ever loaded.
std::optional<std::string> FindPluginLibrary(const std::string& library, const PluginFolders& where);

// Whether a file of that name is in one of the folders (LibraryExists).
bool LibraryExists(const std::string& library, const PluginFolders& where);

}  // namespace pelmora
