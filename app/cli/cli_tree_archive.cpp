#include "app/cli/cli_tree_archive.h"

#include <filesystem>
#include <system_error>

#include "listing/archive/archive_listing.h"
#include "listing/engine/browser_state.h"
#include "listing/engine/folder_tree.h"
#include "listing/engine/path_ops.h"
#include "platform/file_system.h"
#include "platform/process_starter.h"
#include "platform/temporary_folder.h"

namespace pelmora::cli {

int RunTree(CliRun& run, const std::vector<std::string>& args) {
    const std::string folder = AbsolutePath(args[0]);
    if (!platform::FolderExists(folder)) {
        Complain("not a folder: " + args[0]);
        return kExitFailure;
    }
    // The lister keeps the script and its output in a private folder, never beside the
    // settings, so that it creates no files of the program.
    const std::string temporary = platform::CreatePrivateTemporaryFolder("pelmora-tree-");
    if (temporary.empty()) {
        Complain("cannot create a temporary folder");
        return kExitFailure;
    }
    const std::string treeProgram = platform::JoinPath(platform::ProgramFolder(), "pelmora-tree");
    const ListingOutcome outcome = ListFolderTree(folder, run.settings, treeProgram, temporary, run.job.context,
                                                  platform::SystemProcessStarter());
    std::error_code ignored;
    std::filesystem::remove_all(temporary, ignored);
    return FinishCommand(run, outcome);
}

int RunArchive(CliRun& run, const std::vector<std::string>& args) {
    const std::string path = AbsolutePath(args[0]);
    BrowserState state;
    state.folder = std::filesystem::path(path).parent_path().string();
    state.entries = {std::filesystem::path(path).filename().string()};
    state.selected = {true};
    const std::size_t messages = run.job.dialogs.MessageCount();
    const ListingOutcome outcome = ListArchiveOfSelection(state, run.job.context);
    // A damaged archive gives no listing and, in the window, no message either.
    if (outcome.failed && run.job.dialogs.MessageCount() == messages) Complain("no listing of " + args[0]);
    return FinishCommand(run, outcome);
}

}  // namespace pelmora::cli
