#include "listing/engine/subfolder_search.h"

#include <string>

#include "listing/engine/listing_messages.h"

namespace pelmora {

bool BeginSubfolderSearch(JobContext& context, ListingOutcome& outcome) {
    context.cancel.Reset();
    if (!context.dialogs.AskYesNo(std::string(kAskSubfolderSearch))) {
        context.dialogs.ShowMessage(std::string(kCancelledMessage));
        outcome.declined = true;
        return false;
    }
    context.progress.Open(std::string(kSearchingSubfolders), true);
    context.progress.Pump();
    return true;
}

}  // namespace pelmora
