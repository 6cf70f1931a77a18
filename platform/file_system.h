#pragma once
// File and folder existence and the program's own folder. Paths are byte strings in the
// platform's form: on POSIX "/" separates, there is no drive part, "//" starts a network path.

#include <cstddef>
#include <string>
#include <string_view>

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
// The same in place: separator (unless path ends with one) and name appended to path.
void AppendToPath(std::string& path, std::string_view name);

// The root of the folder tree ("/" on POSIX), and whether a path names it.
std::string RootFolder();
bool IsRootFolder(std::string_view path);
bool IsAbsolutePath(std::string_view path);
// How long the path's root part is ("/" on POSIX; "C:\", "C:", "\\server\share\" or "\" on
// Windows); 0 for a relative path.
std::size_t RootPartLength(std::string_view path);
bool EndsWithSeparator(std::string_view path);
// The path without trailing separators; the root keeps its own.
std::string_view WithoutTrailingSeparators(std::string_view path);
// Where the last separator is; npos when there is none.
std::size_t LastSeparator(std::string_view path);
// True when path is folder itself or lies below it.
bool IsInFolder(std::string_view path, std::string_view folder);

// True when the path names a network location ("//server/share" on POSIX).
bool IsNetworkPath(const std::string& path);

// The path with every generated short (8.3) name in it replaced by the long name, as a path
// typed on a command line may hold them; unchanged where the system makes no short names or
// the path does not exist.
std::string LongPathName(const std::string& path);

// The user's home folder; used where Windows would start a dialog in "My Computer".
std::string HomeFolder();

// The user's folder for data that may be thrown away (the desktop's cache folder: on POSIX
// XDG_CACHE_HOME when it is an absolute path, else ~/.cache).
std::string UserCacheFolder();

// True when the program runs with the system administrator's rights (root on POSIX).
bool RunningAsSuperuser();

}  // namespace pelmora::platform
