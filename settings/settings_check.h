#pragma once
// What a settings file holds that the program will not read as written: keys it does not
// know (a misspelt name is silently ignored otherwise) and values normalisation changes.

#include <string>
#include <vector>

namespace pelmora {

// One line per finding, in file and key-table order:
//   "unknown key [Section] Name"
//   "Name=stored reads as Name=normalised"
// Keys left blank, and keys absent from the file, take their defaults and are not findings;
// nor are values as the program's own default file writes them, so that file never warns.
std::vector<std::string> SettingsFileFindings(const std::string& iniPath, const std::string& programFolder);

}  // namespace pelmora
