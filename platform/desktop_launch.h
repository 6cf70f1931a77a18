#pragma once
// Opening a file the way the desktop does on a double click, and knowing beforehand whether
// that would run it as a program instead of showing it.

#include <string>

namespace pelmora::platform {

// True when opening the file with the desktop's default program would run it. POSIX: a
// .desktop entry, a .sh script, a .run or .AppImage package by name, or a file that
// begins with an ELF header or "#!". An execute bit alone does not make a program.
// Never a folder.
bool OpeningRunsProgram(const std::string& path);

// Hands the file or folder to the desktop's opener (POSIX: xdg-open), which lives on by
// itself. True when the opener was started; what it then does is not known here.
bool OpenWithDefaultProgram(const std::string& path);

}  // namespace pelmora::platform
