#include "listing/engine/subfolder_search.h"

#include <string>

#include "i18n/translation.h"
#include "listing/engine/listing_messages.h"

namespace pelmora {

bool BeginSubfolderSearch(JobContext& context, ListingOutcome& outcome) {
    context.cancel.Reset();
    if (!context.dialogs.AskYesNo(Translated(kAskSubfolderSearch))) {
        context.dialogs.ShowMessage(Translated(kCancelledMessage));
        outcome.declined = true;
        return false;
    }
    context.progress.Open(Translated(kSearchingSubfolders), true);
    context.progress.Pump();
    return true;
}

}  // namespace pelmora
