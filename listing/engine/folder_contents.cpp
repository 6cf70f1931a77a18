#include "listing/engine/folder_contents.h"

#include <algorithm>
#include <memory>
#include <string_view>

#include "listing/text/text_comparison.h"
#include "listing/text/text_sort_order.h"

namespace pelmora {

namespace {

// Entries between two calls of KeepReading: a few milliseconds of work.
constexpr std::size_t kEntriesPerCheck = 4096;

}  // namespace

void SortNames(std::vector<std::string>& names, const KeepReading& keepReading) {
    if (names.size() < 2) return;
    if (names.size() == 2) {
        if (CompareTextThenBytes(names[0], names[1]) > 0) std::swap(names[0], names[1]);
        return;
    }
    std::vector<std::string_view> views(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        views[i] = names[i];
        // A stop here leaves the names as read.
        if (keepReading && (i + 1) % kEntriesPerCheck == 0 && !keepReading()) return;
    }
    const std::vector<std::uint32_t> order = TextSortOrderThenBytes(views);
    std::vector<std::string> sorted;
    sorted.reserve(names.size());
    for (const std::uint32_t index : order) sorted.push_back(std::move(names[index]));
    names = std::move(sorted);
}

FolderContents ReadFolderContents(platform::OpenFolder& folder, const WildcardPattern* filePattern,
                                  bool showHidden, std::error_code& error, const KeepReading& keepReading,
                                  std::vector<std::string>* linkedSubfolders) {
    FolderContents contents;
    platform::FolderEntry entry;
    std::string name;
    std::size_t read = 0;
    while (folder.Next(entry, error)) {
        if (keepReading && ++read % kEntriesPerCheck == 0 && !keepReading()) break;
        if (!showHidden && entry.name.front() == '.') continue;
        platform::EntryKind kind = entry.kind;
        if (kind == platform::EntryKind::File && filePattern == nullptr) continue;
        name.assign(entry.name);
        if (kind == platform::EntryKind::Unresolved) {
            kind = folder.ResolveKind(name);
            // Only an entry the folder did not record as a folder can be a link to one.
            if (linkedSubfolders != nullptr && kind == platform::EntryKind::Folder && folder.IsLink(name))
                linkedSubfolders->push_back(name);
        }
        if (kind == platform::EntryKind::Folder) {
            contents.subfolders.push_back(name);
        } else if (filePattern != nullptr && filePattern->Matches(name)) {
            contents.files.push_back(name);
        }
    }
    SortNames(contents.files, keepReading);
    SortNames(contents.subfolders, keepReading);
    return contents;
}

FolderContents ReadFolder(platform::FileSystem& fileSystem, const std::string& folder,
                          const WildcardPattern* filePattern, bool showHidden, std::error_code& error) {
    const std::unique_ptr<platform::OpenFolder> opened = fileSystem.OpenFolderAt(folder, error);
    if (!opened) return {};
    return ReadFolderContents(*opened, filePattern, showHidden, error);
}

std::vector<std::string> ListFolderFiles(const std::string& folder, const std::string& pattern, bool showHidden,
                                         bool /*showSystem*/, std::error_code& error) {
    const WildcardPattern filePattern(pattern);
    return ReadFolder(platform::FileSystemFor(folder), folder, &filePattern, showHidden, error).files;
}

std::vector<std::string> ListSubfolderNames(const std::string& folder, bool showHidden, std::error_code& error) {
    return ReadFolder(platform::FileSystemFor(folder), folder, nullptr, showHidden, error).subfolders;
}

}  // namespace pelmora
