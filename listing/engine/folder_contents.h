#pragma once
// What the browser's folder and file lists show for one folder, and what the walks see:
// the one enumeration all of them share. Files match the file pattern (see
// WildcardPattern); names beginning with "." are hidden and only listed when hidden
// entries are shown; links count as what they lead to. Both lists are in the program's
// text order, names equal in it in byte order (CompareTextThenBytes): a folder's reading
// order means nothing. POSIX has no system attribute, so the system switch changes nothing
// here: reading an extended attribute per file to emulate one would double the cost of
// every listing.

#include <functional>
#include <string>
#include <system_error>
#include <vector>

#include "listing/text/wildcard_pattern.h"
#include "platform/file_system_service.h"

namespace pelmora {

struct FolderContents {
    std::vector<std::string> files;       // names, sorted
    std::vector<std::string> subfolders;  // names, sorted
};

// Called every few thousand entries of a big folder so that its reader can let events run;
// returning false stops the reading (what was read is still returned).
using KeepReading = std::function<bool()>;

// Reads the open folder to its end. With filePattern null the files are not collected.
// On a read error what was read so far is returned, sorted, with error set. With
// linkedSubfolders given, the subfolders reached through a symbolic link are put there too
// (in reading order).
FolderContents ReadFolderContents(platform::OpenFolder& folder, const WildcardPattern* filePattern,
                                  bool showHidden, std::error_code& error, const KeepReading& keepReading = {},
                                  std::vector<std::string>* linkedSubfolders = nullptr);
// Opens the folder through fileSystem and reads it (see ReadFolderContents).
FolderContents ReadFolder(platform::FileSystem& fileSystem, const std::string& folder,
                          const WildcardPattern* filePattern, bool showHidden, std::error_code& error);

// The two lists of the browser, read through the file system the platform picks for folder.

std::vector<std::string> ListFolderFiles(const std::string& folder, const std::string& pattern, bool showHidden,
                                         bool showSystem, std::error_code& error);
std::vector<std::string> ListSubfolderNames(const std::string& folder, bool showHidden, std::error_code& error);

// Puts names into the program's text order.
void SortNames(std::vector<std::string>& names, const KeepReading& keepReading = {});

}  // namespace pelmora
