#pragma once
// The program's own files beside the settings: pattern.txt and Message1.jpg, their default
// contents and the pattern box's reading of pattern.txt.

#include <string>
#include <vector>

#include "app/app_paths.h"

namespace pelmora {

// The 24 default patterns, each line ended by CR LF.
std::string DefaultPatternFileText();

// Creates the settings folder (and its parents) when it does not exist yet; the
// configuration-folder fallback starts without one. Throws std::system_error with errno.
void EnsureSettingsFolder(const AppPaths& paths);

// Write the file in one piece. Throw std::system_error carrying errno on failure.
void WriteDefaultPatternFile(const std::string& path);
void WriteMessagePicture(const std::string& path);

// The pattern box's items: the non-blank lines of the file trimmed of spaces, in file
// order, never sorted or de-duplicated; the single item "*.*" when the file does not exist.
// Throws std::system_error when the file exists but cannot be read.
std::vector<std::string> ReadPatternList(const std::string& path);

}  // namespace pelmora
