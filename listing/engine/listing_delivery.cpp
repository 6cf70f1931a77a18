#include "listing/engine/listing_delivery.h"

#include <utility>

#include "listing/engine/result_output.h"

namespace pelmora {

void DeliverListing(std::string text, std::size_t count, const ListingEnding& ending, std::string_view message,
                    JobContext& context, ListingOutcome& outcome) {
    if (ending.lastLineReturn == "1") text.append("\r\n");
    DeliverToClipboard(context, text);
    if (context.progress.IsOpen()) context.progress.Close();
    if (!message.empty()) context.dialogs.ShowMessage(std::string(message));
    if (ending.write == "1") SaveResultToFile(context, std::string(ending.writeName), text);
    outcome.text = std::move(text);
    outcome.count = count;
    outcome.delivered = !outcome.text.empty();
}

}  // namespace pelmora
