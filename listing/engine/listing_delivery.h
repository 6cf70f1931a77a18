#pragma once
// The end every listing command shares: the last line return, the clipboard, the message
// and the save to a file, each by the command's own switches.

#include <cstddef>
#include <string>
#include <string_view>

#include "listing/engine/collector_outcome.h"
#include "listing/engine/job_context.h"

namespace pelmora {

// A command's switches for the end of its listing, "1" for on. Empty for a command without them.
struct ListingEnding {
    std::string_view lastLineReturn;  // one more CR LF after the last line
    std::string_view write;           // offer to save the text to a file
    std::string_view writeName;       // the file the save dialog proposes
};

// Adds the last line return to the joined lines, puts the text on the clipboard (an empty
// text only clears it), closes the progress dialog, shows the message unless it is empty
// and saves the text when the write switch is on. The outcome takes the text, its count
// of entries and whether the clipboard received text.
void DeliverListing(std::string text, std::size_t count, const ListingEnding& ending, std::string_view message,
                    JobContext& context, ListingOutcome& outcome);

}  // namespace pelmora
