#include "app/app_paths.h"

#include <cstdlib>

#include "platform/file_system.h"

namespace pelmora {

namespace {

std::string ConfigHome() {
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && platform::IsAbsolutePath(xdg)) return xdg;
    return platform::JoinPath(platform::HomeFolder(), ".config");
}

}  // namespace

AppPaths ResolveAppPathsFor(const std::string& programFolder, const std::string& configHome) {
    AppPaths paths;
    paths.programFolder = programFolder;
    paths.settingsFolder = programFolder;
    if (!platform::FolderIsWritable(programFolder)) {
        paths.settingsFolder = platform::JoinPath(configHome, "pelmora");
    }
    paths.iniPath = platform::JoinPath(paths.settingsFolder, "Pelmora.ini");
    paths.patternPath = platform::JoinPath(paths.settingsFolder, "pattern.txt");
    paths.messagePicturePath = platform::JoinPath(paths.settingsFolder, "Message1.jpg");
    return paths;
}

AppPaths ResolveAppPaths() { return ResolveAppPathsFor(platform::ProgramFolder(), ConfigHome()); }

}  // namespace pelmora
