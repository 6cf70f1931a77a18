#pragma once
// Opening a file the way the desktop does on a double click, and knowing beforehand whether
// that would run it as a program instead of showing it.

#include <functional>
#include <string>

namespace pelmora::platform {

// How the desktop's opener ended for a file it was given.
enum class OpenerOutcome {
    Opened,    // it handed the file to a program
    Failed,    // it ran, but the program for the file could not be started or failed
    NoOpener,  // there is no opener, or it knows no program at all for the file
};

// True when opening the file with the desktop's default program would run it. POSIX: a
// .desktop entry, a .sh script, a .run or .AppImage package by name, or a file that
// begins with an ELF header or "#!". An execute bit alone does not make a program.
// Never a folder.
bool OpeningRunsProgram(const std::string& path);

// Hands the file or folder to the desktop's opener (POSIX: xdg-open), which lives on by
// itself. True when the opener was started; what it then does is not known here.
bool OpenWithDefaultProgram(const std::string& path);

// Hands the file or folder to the desktop's opener like OpenWithDefaultProgram, and reports
// how the opener ended: `done` is called once, on a thread of its own, since an opener may
// wait for the program it starts. The opener lives on if this program ends first.
void OpenWithDefaultProgramReporting(const std::string& path, std::function<void(OpenerOutcome)> done);

}  // namespace pelmora::platform
