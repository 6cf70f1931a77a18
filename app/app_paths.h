#pragma once
// The paths of the program's own files, fixed once at start-up.

#include <string>

namespace pelmora {

struct AppPaths {
    std::string programFolder;   // the executable's folder
    std::string settingsFolder;  // where Pelmora.ini, pattern.txt and Message1.jpg live
    std::string iniPath;
    std::string patternPath;
    std::string messagePicturePath;
};

// The settings live beside the program. When that folder cannot be written (an installed
// copy), they live in $XDG_CONFIG_HOME/pelmora (by default ~/.config/pelmora) instead.
AppPaths ResolveAppPaths();

// Same rule for a given program folder and configuration base (for tests).
AppPaths ResolveAppPathsFor(const std::string& programFolder, const std::string& configHome);

}  // namespace pelmora
