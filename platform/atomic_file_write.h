#pragma once
// Replacing a file's whole contents, for settings and saved results alike. Where the system
// allows, the bytes go to a new file renamed over the old one, so that a crash or a full
// disk never leaves it half written; where that would change what the file is (its links,
// owner, or a folder that takes no new file), the file is overwritten in place.

#include <string>
#include <string_view>

namespace pelmora::platform {

// The file a write to `path` changes: symbolic links followed to their end, also when the
// last one leads to a file not there yet (the write creates that one). The path itself
// when it is no link.
std::string WriteTarget(const std::string& path);

// What is known of the file WriteTarget named, for the choice below.
struct WriteTargetFacts {
    bool exists = false;
    bool regularFile = true;
    bool userMayWrite = true;        // the file itself, as a plain open for writing would find;
                                     // never for a file without any write permission bit
    bool folderTakesNewFile = true;  // a new file can be made beside it and renamed over it
    bool ownerKept = true;           // a new file can be given the file's owner and group
    unsigned linkCount = 1;
};

enum class WriteMethod {
    ReplaceByRename,   // a new file with the old one's permissions, renamed over it
    OverwriteInPlace,  // truncated and written where it is, then synced
    Refuse,            // a plain write would be refused as well
};

WriteMethod ChooseWriteMethod(const WriteTargetFacts& facts);

// Gives the file `path` leads to (WriteTarget) the bytes as its whole contents, in the way
// ChooseWriteMethod picks. The file keeps its permission bits, owner, extended attributes
// and links. A new file gets 0666 less the umask. On failure returns false with errno
// telling the first failing call (EACCES for a file the user may not write, and for a file
// without any write permission bit even when the user is the super-user); a failed
// replace by rename leaves the old file as it was and removes the new one. In place, the
// room for the bytes is reserved first where the file system can, so that a full disk
// leaves the old contents whole; an I/O error midway leaves them mixed with the new.
bool ReplaceFileContents(const std::string& path, std::string_view bytes);

// Removes the temporary files that writes to `path` left behind when they were killed
// midway: those with the writer's exact naming, that no writer holds and whose writer is
// gone (or which are some seconds old). ReplaceFileContents does this before each write;
// start-up does it for the settings file.
void RemoveLeftoverTemporaryFiles(const std::string& path);

}  // namespace pelmora::platform
