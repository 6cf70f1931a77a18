#pragma once
// The drawing of a folder tree as pelmora-tree prints it: the start path, then each
// subfolder on its own line below a branch, files (when asked for) before the subfolders
// of their folder. Lines end with CR LF, as the tree program of the original platform wrote.

#include <string>
#include <string_view>
#include <vector>

#include "listing/text/collation_keys.h"
#include "platform/file_system_service.h"

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

// The drawer reads the start folder first, then each subfolder right after the folder it lies
// in (depth first), and leaves every folder it read once its subfolders are drawn, so that a
// reader can open each folder relative to the one it lies in.
class TreeFolderReader {
public:
    virtual ~TreeFolderReader() = default;
    // Fills contents; a folder that cannot be read is shown empty. name is the folder's name
    // in the folder read before it, empty for the folder the tree starts at.
    virtual void Read(const std::string& folder, const std::string& name, TreeFolderContents& contents) = 0;
    // Done with the folder read last and not yet left.
    virtual void Leave() {}
};

class TreeLineSink {
public:
    virtual ~TreeLineSink() = default;
    virtual void Line(std::string_view text) = 0;  // without line end
};

// Draws the tree below start (its path as given). Subfolder paths handed to the reader are
// the folder's path joined with the name (see platform::JoinPath).
void DrawFolderTree(const std::string& start, const TreeOptions& options, TreeFolderReader& reader,
                    TreeLineSink& sink);

// The reader of the real file system: hidden entries (names beginning with ".") are left
// out, both lists are sorted in the program's text order. A symbolic link to a folder is
// listed as a folder but not walked into, so a link loop cannot run forever. Each folder is
// opened relative to the one it lies in, so a tree deeper than the system's path length
// limit is drawn to its bottom.
class FileSystemTreeReader : public TreeFolderReader {
public:
    // Without collectFiles only subfolders are gathered (a tree drawn without "/F").
    explicit FileSystemTreeReader(bool collectFiles = true);
    ~FileSystemTreeReader() override;
    void Read(const std::string& folder, const std::string& name, TreeFolderContents& contents) override;
    void Leave() override;

private:
    struct Frame;
    // The folder of the frame at index, opened again from the nearest open one when closed.
    platform::OpenFolder* Reopen(std::size_t index);

    bool collectFiles_;
    TextSortKeyMaker keys_;
    std::vector<Frame> stack_;  // the folders read and not yet left, the start first
};

}  // namespace pelmora
