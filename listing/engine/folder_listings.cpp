#include "listing/engine/folder_listings.h"

#include <exception>
#include <vector>

#include "i18n/translation.h"
#include "listing/engine/listing_messages.h"
#include "listing/engine/entry_formatter.h"
#include "listing/engine/folder_contents.h"
#include "listing/engine/folder_walker.h"
#include "listing/engine/listing_result.h"
#include "listing/engine/listing_delivery.h"
#include "listing/engine/subfolder_search.h"

namespace pelmora {

namespace {

class FolderCollector : public FolderWalkVisitor {
public:
    void EnterFolder(const std::string& path, FolderBatch&, std::size_t) override { folders.push_back(path); }
    std::vector<std::string> folders;
};

}  // namespace

ListingOutcome ListCurrentFolder(const BrowserState& state, const Settings& settings, JobContext& context) {
    ListingOutcome outcome;
    try {
        const std::string line =
            FormatFolderEntry(state.folder, settings.Fol_FullPath1, settings.Fol_FolderMark1, settings.Fol_Kakomi);
        if (line.empty()) {
            context.clipboard.Clear();
            return outcome;
        }
        DeliverListing(line, 1, {settings.Fol_LastLineReturn1, settings.Fol_Write1, settings.Fol_WriteName1}, {},
                       context, outcome);
    } catch (const std::exception&) {
        context.dialogs.ShowMessage(Translated(kFolderNameFailed));
        outcome.failed = true;
    }
    return outcome;
}

ListingOutcome ListSubfolders(const BrowserState& state, const Settings& settings, JobContext& context) {
    ListingOutcome outcome;
    try {
        std::error_code error;
        const std::vector<std::string> names =
            ReadFolder(FileSystemOf(context, state.folder), state.folder, nullptr, state.showHidden, error).subfolders;
        if (error) {
            context.dialogs.ShowMessage(Translated(kSubfolderNamesFailed));
            outcome.failed = true;
            return outcome;
        }
        std::vector<std::string> paths;
        if (settings.Fol_RootGet2 == "1") paths.push_back(state.folder);
        for (const std::string& name : names) {
            std::string path = state.folder;
            AppendChildPath(path, name);
            paths.push_back(std::move(path));
        }
        if (paths.empty() || paths.front().empty()) {
            context.clipboard.Clear();
            return outcome;
        }
        std::vector<std::string> lines;
        for (const std::string& path : paths)
            lines.push_back(FormatFolderEntry(path, settings.Fol_FullPath2, settings.Fol_FolderMark2, settings.Fol_Kakomi));
        DeliverListing(JoinListing(lines), lines.size(),
                       {settings.Fol_LastLineReturn2, settings.Fol_Write2, settings.Fol_WriteName2}, {}, context,
                       outcome);
    } catch (const std::exception&) {
        context.dialogs.ShowMessage(Translated(kSubfolderNamesFailed));
        outcome.failed = true;
    }
    return outcome;
}

ListingOutcome ListAllSubfolders(const BrowserState& state, const Settings& settings, JobContext& context) {
    ListingOutcome outcome;
    if (!BeginSubfolderSearch(context, outcome)) return outcome;
    try {
        FolderCollector collector;
        FolderWalkOptions options;  // folders only
        options.showHidden = state.showHidden;
        WalkFolderTree(state.folder, options, collector, context);
        std::vector<std::string>& folders = collector.folders;
        // The walk reports the start folder first; it is listed only on request. Removing the
        // element rather than the first line of the joined text keeps names with line breaks whole.
        if (settings.Fol_RootGet3 != "1" && !folders.empty()) folders.erase(folders.begin());
        context.progress.Close();

        outcome.cancelled = context.cancel.IsRaised();
        if (folders.empty()) {
            context.dialogs.ShowMessage(Translated(kNothingCollected));
            context.progress.Pump();
            context.clipboard.Clear();
            return outcome;
        }
        std::vector<std::string> lines;
        lines.reserve(folders.size());
        for (const std::string& folder : folders)
            lines.push_back(FormatFolderEntry(folder, settings.Fol_FullPath3, settings.Fol_FolderMark3, settings.Fol_Kakomi));
        folders.clear();
        DeliverListing(JoinListing(lines), lines.size(),
                       {settings.Fol_LastLineReturn3, settings.Fol_Write3, settings.Fol_WriteName3},
                       outcome.cancelled ? Translated(kCancelledMessage)
                                         : Translated(kTransferredFolderCount) + std::to_string(lines.size()),
                       context, outcome);
    } catch (const std::exception&) {
        if (context.progress.IsOpen()) context.progress.Close();
        context.dialogs.ShowMessage(Translated(kSubfolderNamesFailed));
        outcome.failed = true;
    }
    return outcome;
}

}  // namespace pelmora
