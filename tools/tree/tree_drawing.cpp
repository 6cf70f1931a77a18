#include "tools/tree/tree_drawing.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/file_system.h"
#include "platform/folder_reader.h"

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
    bool DrawFolder(const std::string& folder, bool isStart, std::string& prefix) {
        TreeFolderContents contents;
        reader_.Read(folder, isStart, contents);
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
            const std::string& name = contents.subfolders[i];
            line.assign(prefix).append(last ? strokes_.last : strokes_.branch).append(name);
            sink_.Line(line);
            prefix += last ? kBlank : strokes_.through;
            DrawFolder(platform::JoinPath(folder, name), false, prefix);
            prefix.resize(prefixLength);
        }
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
    if (!drawer.DrawFolder(start, true, prefix)) {
        sink.Line(kNoSubfolders);
        sink.Line("");
    }
}

void FileSystemTreeReader::Read(const std::string& folder, bool isStart, TreeFolderContents& contents) {
    contents.files.clear();
    contents.subfolders.clear();
    std::error_code error;
    if (!isStart && std::filesystem::is_symlink(folder, error)) return;
    platform::FolderReader reader;
    if (!reader.Open(folder, error)) return;
    platform::FolderEntry entry;
    std::string name;
    while (reader.Next(entry, error)) {
        if (entry.name.front() == '.') continue;
        name.assign(entry.name);
        platform::EntryKind kind = entry.kind;
        if (kind == platform::EntryKind::Unresolved) kind = reader.ResolveKind(name);
        if (kind == platform::EntryKind::Folder) {
            contents.subfolders.push_back(name);
        } else if (collectFiles_) {
            contents.files.push_back(name);
        }
    }
    SortInTextOrder(contents.subfolders, keys_);
    SortInTextOrder(contents.files, keys_);
}

}  // namespace pelmora
