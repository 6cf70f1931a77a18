#include "app/cli/cli_tree_archive.h"

#include <stdlib.h>

#include <cstdio>
#include <filesystem>

#include "listing/archive_listing.h"
#include "listing/browser_state.h"
#include "listing/folder_tree.h"
#include "platform/file_system.h"

namespace pelmora::cli {
namespace {

std::string AbsolutePath(const std::string& argument) {
    std::string path = std::filesystem::absolute(argument).lexically_normal().string();
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

int Finish(const CliRun& run, bool delivered) {
    if (run.job.clipboard.WriteFailed()) {
        std::fputs("pelmora-list: writing the listing to standard output failed\n", stderr);
        return kExitFailure;
    }
    return delivered ? kExitOk : kExitFailure;
}

}  // namespace

int RunTree(CliRun& run, const std::vector<std::string>& args) {
    const std::string folder = AbsolutePath(args[0]);
    if (!platform::FolderExists(folder)) {
        std::fprintf(stderr, "pelmora-list: not a folder: %s\n", args[0].c_str());
        return kExitFailure;
    }
    // The lister keeps the script and its output in a private folder, never beside the
    // settings, so that it creates no files of the program.
    std::string temporary = (std::filesystem::temp_directory_path() / "pelmora-tree-XXXXXX").string();
    if (::mkdtemp(temporary.data()) == nullptr) {
        std::fputs("pelmora-list: cannot create a temporary folder\n", stderr);
        return kExitFailure;
    }
    const std::string treeProgram = platform::JoinPath(platform::ProgramFolder(), "pelmora-tree");
    const bool delivered = ListFolderTree(folder, run.settings, treeProgram, temporary, run.job.context);
    std::error_code ignored;
    std::filesystem::remove_all(temporary, ignored);
    return Finish(run, delivered);
}

int RunArchive(CliRun& run, const std::vector<std::string>& args) {
    const std::string path = AbsolutePath(args[0]);
    BrowserState state;
    state.folder = std::filesystem::path(path).parent_path().string();
    state.entries = {std::filesystem::path(path).filename().string()};
    state.selected = {true};
    return Finish(run, ListArchiveOfSelection(state, run.job.context));
}

}  // namespace pelmora::cli
