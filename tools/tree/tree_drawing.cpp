#include "tools/tree/tree_drawing.h"

#include <algorithm>
#include <memory>
#include <set>
#include <system_error>
#include <utility>

#include "platform/file_system.h"

namespace pelmora {
namespace {

constexpr std::string_view kNoSubfolders = "サブフォルダーは存在しません";

struct Strokes {
    std::string_view branch;  // a subfolder that has siblings after it
    std::string_view last;    // the last subfolder of its folder
    std::string_view through; // the column below a non-last subfolder
};

constexpr Strokes kBoxStrokes{"├─", "└─", "│  "};
constexpr Strokes kAsciiStrokes{"+---", "\\---", "|   "};
constexpr std::string_view kBlank = "    ";

class TreeDrawer {
public:
    TreeDrawer(const TreeOptions& options, TreeFolderReader& reader, TreeLineSink& sink)
        : options_(options), reader_(reader), sink_(sink),
          strokes_(options.ascii ? kAsciiStrokes : kBoxStrokes) {}

    // Returns whether folder had any subfolder.
    bool DrawFolder(const std::string& folder, const std::string& name, std::string& prefix) {
        TreeFolderContents contents;
        reader_.Read(folder, name, contents);
        const std::size_t prefixLength = prefix.size();
        if (options_.showFiles && !contents.files.empty()) {
            prefix += contents.subfolders.empty() ? kBlank : strokes_.through;
            std::string line;
            for (const std::string& file : contents.files) {
                line.assign(prefix).append(file);
                sink_.Line(line);
            }
            sink_.Line(prefix);
            prefix.resize(prefixLength);
        }
        std::string line;
        for (std::size_t i = 0; i < contents.subfolders.size(); ++i) {
            const bool last = i + 1 == contents.subfolders.size();
            const std::string& subfolder = contents.subfolders[i];
            line.assign(prefix).append(last ? strokes_.last : strokes_.branch).append(subfolder);
            sink_.Line(line);
            prefix += last ? kBlank : strokes_.through;
            DrawFolder(platform::JoinPath(folder, subfolder), subfolder, prefix);
            prefix.resize(prefixLength);
        }
        reader_.Leave();
        return !contents.subfolders.empty();
    }

private:
    const TreeOptions& options_;
    TreeFolderReader& reader_;
    TreeLineSink& sink_;
    Strokes strokes_;
};

void SortInTextOrder(std::vector<std::string>& names, TextSortKeyMaker& keys) {
    if (names.size() < 2) return;
    std::vector<std::pair<std::string, std::string>> keyed;
    keyed.reserve(names.size());
    for (std::string& name : names) keyed.emplace_back(keys.Key(name), std::move(name));
    std::sort(keyed.begin(), keyed.end());
    for (std::size_t i = 0; i < keyed.size(); ++i) names[i] = std::move(keyed[i].second);
}

}  // namespace

void DrawFolderTree(const std::string& start, const TreeOptions& options, TreeFolderReader& reader,
                    TreeLineSink& sink) {
    sink.Line(start);
    TreeDrawer drawer(options, reader, sink);
    std::string prefix;
    if (!drawer.DrawFolder(start, {}, prefix)) {
        sink.Line(kNoSubfolders);
        sink.Line("");
    }
}

// Folders kept open at once; deeper ancestors are closed and opened again from the nearest
// open one when their next subfolder is read, so no depth runs out of descriptors.
constexpr std::size_t kOpenFolderWindow = 48;

struct FileSystemTreeReader::Frame {
    std::unique_ptr<platform::OpenFolder> folder;  // null: unreadable, or closed to save descriptors
    std::string name;                              // in the folder of the frame before
    std::set<std::string> links;                   // subfolders that are links to folders
    bool readable = false;
};

FileSystemTreeReader::FileSystemTreeReader(bool collectFiles) : collectFiles_(collectFiles) {}

FileSystemTreeReader::~FileSystemTreeReader() = default;

platform::OpenFolder* FileSystemTreeReader::Reopen(std::size_t index) {
    if (stack_[index].folder || !stack_[index].readable) return stack_[index].folder.get();
    std::size_t open = index;
    while (!stack_[open].folder) --open;  // the start folder stays open
    std::unique_ptr<platform::OpenFolder> current;
    std::error_code error;
    for (std::size_t i = open + 1; i <= index; ++i) {
        const platform::OpenFolder& base = current ? *current : *stack_[open].folder;
        current = base.OpenInside(stack_[i].name, error);
        if (!current) return nullptr;
    }
    stack_[index].folder = std::move(current);
    return stack_[index].folder.get();
}

void FileSystemTreeReader::Read(const std::string& folder, const std::string& name, TreeFolderContents& contents) {
    contents.files.clear();
    contents.subfolders.clear();
    Frame frame;
    frame.name = name;
    std::error_code error;
    if (name.empty() || stack_.empty()) {  // the start: a new tree
        stack_.clear();
        frame.folder = platform::FileSystemFor(folder).OpenFolderAt(folder, error);
    } else if (stack_.back().links.count(name) == 0) {
        if (platform::OpenFolder* parent = Reopen(stack_.size() - 1)) frame.folder = parent->OpenInside(name, error);
    }
    frame.readable = frame.folder != nullptr;
    if (frame.folder) {
        platform::FolderEntry entry;
        std::string entryName;
        while (frame.folder->Next(entry, error)) {
            if (entry.name.front() == '.') continue;
            entryName.assign(entry.name);
            platform::EntryKind kind = entry.kind;
            if (kind == platform::EntryKind::Unresolved) {
                kind = frame.folder->ResolveKind(entryName);
                if (kind == platform::EntryKind::Folder && frame.folder->IsLink(entryName)) frame.links.insert(entryName);
            }
            if (kind == platform::EntryKind::Folder) {
                contents.subfolders.push_back(entryName);
            } else if (collectFiles_) {
                contents.files.push_back(entryName);
            }
        }
        SortInTextOrder(contents.subfolders, keys_);
        SortInTextOrder(contents.files, keys_);
    }
    stack_.push_back(std::move(frame));
    if (stack_.size() > kOpenFolderWindow + 1) stack_[stack_.size() - 1 - kOpenFolderWindow].folder.reset();
}

void FileSystemTreeReader::Leave() {
    if (!stack_.empty()) stack_.pop_back();
}

}  // namespace pelmora
