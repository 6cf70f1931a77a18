#pragma once
// The drawing of a folder tree as pelmora-tree prints it: the start path, then each
// subfolder on its own line below a branch, files (when asked for) before the subfolders
// of their folder. Lines end with CR LF, as the tree program of the original platform wrote.

#include <string>
#include <string_view>
#include <vector>

#include "listing/text/collation_keys.h"

namespace pelmora {

struct TreeOptions {
    bool showFiles = false;  // "/F"
    bool ascii = false;      // "/A"
};

// The visible contents of one folder, each list already in display order.
struct TreeFolderContents {
    std::vector<std::string> files;
    std::vector<std::string> subfolders;
};

class TreeFolderReader {
public:
    virtual ~TreeFolderReader() = default;
    // Fills contents; a folder that cannot be read is shown empty. isStart is true only for
    // the folder the tree starts at.
    virtual void Read(const std::string& folder, bool isStart, TreeFolderContents& contents) = 0;
};

class TreeLineSink {
public:
    virtual ~TreeLineSink() = default;
    virtual void Line(std::string_view text) = 0;  // without line end
};

// Draws the tree below start (its path as given). Subfolder paths handed to the reader are
// start + "/" + name, without doubling a trailing "/".
void DrawFolderTree(const std::string& start, const TreeOptions& options, TreeFolderReader& reader,
                    TreeLineSink& sink);

// The reader of the real file system: hidden entries (names beginning with ".") are left
// out, both lists are sorted in the program's text order. A symbolic link to a folder is
// listed as a folder but not walked into, so a link loop cannot run forever.
class FileSystemTreeReader : public TreeFolderReader {
public:
    // Without collectFiles only subfolders are gathered (a tree drawn without "/F").
    explicit FileSystemTreeReader(bool collectFiles = true) : collectFiles_(collectFiles) {}
    void Read(const std::string& folder, bool isStart, TreeFolderContents& contents) override;

private:
    bool collectFiles_;
    TextSortKeyMaker keys_;
};

}  // namespace pelmora
