#include "app/cli/cli_tree_archive.h"

#include <cctype>
#include <filesystem>
#include <system_error>

#include "app/cli/cli_texts.h"
#include "app/cli/failure_reason.h"
#include "i18n/translation.h"
#include "listing/archive/archive_listing.h"
#include "listing/engine/browser_state.h"
#include "listing/engine/folder_tree.h"
#include "listing/engine/path_ops.h"
#include "platform/file_system.h"
#include "platform/native_path.h"
#include "platform/process_starter.h"
#include "platform/temporary_folder.h"

namespace pelmora::cli {

namespace {

std::string ArchiveProblemText(const std::string& path, const ArchiveListingResult& result) {
    using namespace cli_texts;
    switch (result.problem) {
        case ArchiveProblem::None: break;
        case ArchiveProblem::Unreadable: return FailureReasonText(result.readError);
        case ArchiveProblem::NotAnArchive: {
            std::string extension = platform::PathText(platform::NativePath(path).extension());
            for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            return Translated(extension == ".lzh" ? kNotAnLzhArchive : kNotAZipArchive);
        }
        case ArchiveProblem::CutShort: return Translated(kCutShortAfterByte) + std::to_string(result.byte);
        case ArchiveProblem::Damaged: {
            std::string text = result.byte > 0 ? Translated(kDamagedAtByte) + std::to_string(result.byte) : Translated(kDamaged);
            if (!result.detail.empty()) text += " (" + result.detail + ")";
            return text;
        }
    }
    return Translated(kUnknownReason);
}

}  // namespace

int RunTree(CliRun& run, const std::vector<std::string>& args) {
    const std::string folder = AbsolutePath(args[0]);
    if (!platform::FolderExists(folder)) {
        if (const std::error_code error = FolderOpenError(folder)) {
            ComplainCannotOpen(args[0], error);
            return kExitFailure;
        }
    }
    // The lister keeps the script and its output in a private folder, never beside the
    // settings, so that it creates no files of the program.
    const std::string temporary = platform::CreatePrivateTemporaryFolder("pelmora-tree-");
    if (temporary.empty()) {
        Complain(Translated(cli_texts::kTemporaryFolderFailed));
        return kExitFailure;
    }
    const std::string treeProgram = platform::JoinPath(platform::ProgramFolder(), "pelmora-tree");
    const ListingOutcome outcome = ListFolderTree(folder, run.settings, treeProgram, temporary, run.job.context,
                                                  platform::SystemProcessStarter());
    std::error_code ignored;
    std::filesystem::remove_all(platform::NativePath(temporary), ignored);
    return FinishCommand(run, outcome);
}

int RunArchive(CliRun& run, const std::vector<std::string>& args) {
    const std::string path = AbsolutePath(args[0]);
    BrowserState state;
    state.folder = platform::PathText(platform::NativePath(path).parent_path());
    state.entries = {platform::PathText(platform::NativePath(path).filename())};
    state.selected = {true};
    const ListingOutcome outcome = ListArchiveOfSelection(state, run.job.context);
    // The window's message (where it has one) is on standard error already; the reason
    // follows it.
    if (outcome.failed) {
        const ArchiveListingResult members = ArchiveMembers(path);
        if (members.problem != ArchiveProblem::None) Complain(Translated(cli_texts::kCannotList) + args[0] + ": " + ArchiveProblemText(path, members));
    }
    return FinishCommand(run, outcome);
}

}  // namespace pelmora::cli
