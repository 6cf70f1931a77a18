#include "listing/engine/selected_files.h"

#include <exception>
#include <vector>

#include "i18n/translation.h"
#include "listing/text/array_sort.h"
#include "listing/engine/listing_messages.h"
#include "listing/engine/entry_formatter.h"
#include "listing/engine/folder_walker.h"
#include "listing/engine/listing_result.h"
#include "listing/engine/listing_delivery.h"

namespace pelmora {

ListingOutcome ListSelectedFiles(const BrowserState& state, const Settings& settings, JobContext& context) {
    ListingOutcome outcome;
    try {
        const EntryFormatter formatter(SwitchesFor(settings, ListingFamily::File), context.fileSystem);
        std::vector<FormattedEntry> entries;
        FormattedEntry entry;
        std::string path;
        // A selection of a whole big folder takes a while: the window keeps answering. The
        // listing cannot be cancelled, so the cancel flag is not looked at.
        ThrottledPump pump(context.progress);
        for (std::size_t i = 0; i < state.entries.size(); ++i) {
            if (i >= state.selected.size() || !state.selected[i]) continue;
            static_cast<void>(pump.PumpAndCheck(context.cancel));
            path = state.folder;
            AppendChildPath(path, state.entries[i]);
            formatter.Format(path, entry);
            // A vanished file, or a line of no fields without a sort key, gives nothing.
            if (!entry.found) outcome.notFound.push_back(state.entries[i]);
            if (!entry.found || (entry.line.empty() && !formatter.ExtSortOn())) continue;
            entries.push_back(entry);
        }
        if (!entries.empty() && formatter.ExtSortOn()) SortEntriesByKey(entries, &context);
        if (entries.empty() || entries.front().line.empty()) {
            context.clipboard.Clear();
            return outcome;
        }
        std::string text;
        AppendListing(entries, text);
        DeliverListing(std::move(text), entries.size(),
                       {settings.FileLastLineReturn, settings.FileWrite, settings.FileWriteName}, {}, context, outcome);
    } catch (const std::exception&) {
        context.dialogs.ShowMessage(Translated(kFileReferenceFailed));
        outcome.failed = true;
    }
    return outcome;
}

}  // namespace pelmora
