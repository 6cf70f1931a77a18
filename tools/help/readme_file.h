#pragma once
// Readme.txt: beside the program in the build, in <prefix>/share/doc/pelmora when installed
// (the program in <prefix>/bin). The program looks beside itself first.

#include <string>

namespace pelmora {

// The readme's path, or the empty text when there is none.
std::string FindReadme(const std::string& programFolder);

}  // namespace pelmora
