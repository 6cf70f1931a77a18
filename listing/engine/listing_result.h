#pragma once
// The listing result: the formatted lines joined with CR LF. The empty text means nothing
// was collected; the last line return is added where the listing is delivered.

#include <string>
#include <vector>

#include "listing/engine/entry_formatter.h"

namespace pelmora {

std::string JoinListing(const std::vector<std::string>& lines);

// The same from the engine's entries (their lines only; entries not found are skipped),
// appended to out so a big listing is built in one buffer.
void AppendListing(const std::vector<FormattedEntry>& entries, std::string& out);

}  // namespace pelmora
