#include "app/ui/command_dispatcher.h"

#include <exception>

#include "app/ui/browser_controller.h"
#include "app/ui/busy_state.h"
#include "app/ui/main_window_texts.h"
#include "i18n/translation.h"
#include "listing/archive/archive_listing.h"
#include "listing/engine/listing_messages.h"
#include "listing/engine/folder_tree.h"
#include "listing/engine/folder_listings.h"
#include "listing/engine/recursive_files.h"
#include "listing/engine/selected_files.h"
#include "platform/file_system.h"
#include "tools/launch/launcher.h"

namespace pelmora {

CommandDispatcher::CommandDispatcher(Settings& settings, const AppPaths& paths, BrowserController& browser,
                                     BusyState& busy, JobContext& jobs, platform::ProcessStarter& starter)
    : settings_(settings), paths_(paths), browser_(browser), busy_(busy), jobs_(jobs), starter_(starter) {}

void CommandDispatcher::Trap(const std::function<void()>& command, const std::string& failureMessage) {
    try {
        command();
    } catch (const std::exception&) {
        // The collectors report their own failures; this catches what escaped them, so the
        // window stays usable.
        if (jobs_.progress.IsOpen()) jobs_.progress.Close();
        jobs_.dialogs.ShowMessage(failureMessage);
    }
}

void CommandDispatcher::RunBusy(const std::function<void()>& command, const std::string& failureMessage) {
    if (busy_.IsBusy() || programEnding_) return;
    {
        BusyScope scope(busy_);
        jobs_.progress.Pump();
        // The window may have been closed while the events ran; the collector would clear
        // the cancel flag that close raised.
        if (!programEnding_) Trap(command, failureMessage);
    }
    jobs_.progress.Pump();
}

void CommandDispatcher::RunDirect(const std::function<void()>& command, const std::string& failureMessage) {
    if (!programEnding_) Trap(command, failureMessage);
}

void CommandDispatcher::StopForProgramEnd() {
    programEnding_ = true;
    if (busy_.IsBusy()) jobs_.cancel.Raise();
}

void CommandDispatcher::GetFileNames() {
    RunBusy([this] { ListSelectedFiles(browser_.State(), settings_, jobs_); }, Translated(kFileReferenceFailed));
}

void CommandDispatcher::FileListDoubleClicked() {
    if (busy_.IsBusy()) return;
    // The listing lets events run (a big selection takes a while), so a double-click is
    // guarded by the busy state like the button.
    RunBusy([this] { ListSelectedFiles(browser_.State(), settings_, jobs_); }, Translated(kFileReferenceFailed));
}

void CommandDispatcher::GetAllFileNamesBelow() {
    RunBusy([this] { ListFilesRecursively(browser_.State(), settings_, jobs_); }, Translated(kFileReferenceFailed));
}

void CommandDispatcher::GetFolderName() {
    RunBusy([this] { ListCurrentFolder(browser_.State(), settings_, jobs_); }, Translated(kFolderNameFailed));
}

void CommandDispatcher::GetSubfolderNames() {
    RunBusy([this] { ListSubfolders(browser_.State(), settings_, jobs_); }, Translated(kSubfolderNamesFailed));
}

void CommandDispatcher::GetAllSubfolderNames() {
    RunBusy([this] { ListAllSubfolders(browser_.State(), settings_, jobs_); }, Translated(kSubfolderNamesFailed));
}

void CommandDispatcher::GetFolderTree() {
    // The tree printer is installed beside the program; its temporary files go beside the settings.
    const std::string treeProgram = platform::JoinPath(paths_.programFolder, "pelmora-tree");
    RunBusy(
        [this, treeProgram] {
            ListFolderTree(browser_.CurrentFolder(), settings_, treeProgram, paths_.settingsFolder, jobs_, starter_);
        },
        Translated(texts::kFolderReadFailed));
}

void CommandDispatcher::GetArchiveMemberNames() {
    RunBusy([this] { ListArchiveOfSelection(browser_.State(), jobs_); }, Translated(kFileReferenceFailed));
}

void CommandDispatcher::OpenWithAssociation() {
    RunDirect([this] { LaunchSelectedFile(browser_.State(), settings_, jobs_.dialogs, starter_); },
              Translated(kFileReferenceFailed));
}

}  // namespace pelmora
