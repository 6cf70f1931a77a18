#pragma once
// The drawing of a folder tree as pelmora-tree prints it: the start path, then each
// subfolder on its own line below a branch, files (when asked for) before the subfolders
// of their folder. Lines end with CR LF, as the tree program of the original platform wrote.
//
// The folders are read by the walk of the recursive listings (its worker threads read
// ahead, the lines come in walk order): hidden entries (names beginning with ".") are left
// out, both lists are in the program's text order, a symbolic link to a folder is drawn but
// not walked into, and a folder that cannot be read is drawn empty. Folders are opened
// relative to the one they lie in, so a tree deeper than the system's path length limit is
// drawn to its bottom.

#include <cstddef>
#include <string>
#include <string_view>

#include "listing/engine/job_context.h"

namespace pelmora {

struct TreeOptions {
    bool showFiles = false;  // "/F"
    bool ascii = false;      // "/A"
    std::size_t threads = 0; // reading threads; 0: the walk's choice
};

class TreeLineSink {
public:
    virtual ~TreeLineSink() = default;
    virtual void Line(std::string_view text) = 0;  // without line end
};

// Draws the tree below start (its path as given), read through the context's file system.
// False when the context's cancel flag stopped it.
bool DrawFolderTree(const std::string& start, const TreeOptions& options, JobContext& context, TreeLineSink& sink);

}  // namespace pelmora
