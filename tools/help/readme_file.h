#pragma once
// Readme.txt: beside the program in the build, in <prefix>/share/doc/pelmora when installed
// (the program in <prefix>/bin). The program looks beside itself first.

#include <string>

namespace pelmora {

class UserDialogs;
namespace platform {
class ProcessStarter;
}

// The readme's path, or the empty text when there is none.
std::string FindReadme(const std::string& programFolder);

// Opens the readme with the desktop's default program for text; a missing readme is told.
// Whether the opener then shows it is not known here.
void OpenReadme(const std::string& programFolder, platform::ProcessStarter& starter, UserDialogs& dialogs);

}  // namespace pelmora
