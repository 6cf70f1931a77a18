#pragma once
// File and folder existence and the program's own folder. Paths are byte strings in the
// platform's form: on POSIX "/" separates, there is no drive part, "//" starts a network path.

#include <string>

namespace pelmora::platform {

// The path separator of this platform.
extern const char kPathSeparator;

// The running executable's path; empty when the system does not tell.
std::string ProgramExecutable();

// Folder of the running executable, without a trailing separator (unless it is the root).
std::string ProgramFolder();

bool FileExists(const std::string& path);    // anything that is not a folder
bool FolderExists(const std::string& path);  // follows symbolic links
bool PathExists(const std::string& path);
bool FolderIsWritable(const std::string& path);

// folder + separator + name, without doubling a separator the folder already ends with.
std::string JoinPath(const std::string& folder, const std::string& name);

// True when the path names a network location ("//server/share" on POSIX).
bool IsNetworkPath(const std::string& path);

// The user's home folder; used where Windows would start a dialog in "My Computer".
std::string HomeFolder();

}  // namespace pelmora::platform
