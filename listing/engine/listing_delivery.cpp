#include "listing/engine/listing_delivery.h"

#include <memory>
#include <utility>

#include "listing/engine/result_output.h"

namespace pelmora {

void DeliverListing(std::string text, std::size_t count, const ListingEnding& ending, std::string_view message,
                    JobContext& context, ListingOutcome& outcome) {
    if (ending.lastLineReturn == "1") text.append("\r\n");
    auto shared = std::make_shared<const std::string>(std::move(text));
    DeliverToClipboard(context, shared);
    if (context.progress.IsOpen()) context.progress.Close();
    if (!message.empty()) context.dialogs.ShowMessage(std::string(message));
    if (ending.write == "1") SaveResultToFile(context, std::string(ending.writeName), *shared);
    outcome.delivered = !shared->empty();
    outcome.count = count;
    outcome.sharedText = std::move(shared);
}

}  // namespace pelmora
