#pragma once
// The listing result: the formatted lines joined with CR LF, with one more CR LF after the
// last when the command's last-line switch is on. The empty text means nothing was collected.

#include <string>
#include <vector>

#include "listing/engine/entry_formatter.h"

namespace pelmora {

std::string JoinListing(const std::vector<std::string>& lines, bool lastLineReturn);

// The same from the engine's entries (their lines only; entries not found are skipped),
// appended to out so a big listing is built in one buffer.
void AppendListing(const std::vector<FormattedEntry>& entries, bool lastLineReturn, std::string& out);

}  // namespace pelmora
