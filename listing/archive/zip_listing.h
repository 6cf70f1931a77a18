#pragma once
// The verbose member listing of a ZIP archive, in the layout of Info-ZIP's "unzip -v":
// the "Archive:" line, the archive comment, column heads, one row per member and the totals
// row. Line ends are LF, as that listing writes them.

#include <string>

#include "listing/archive/archive_listing_result.h"

namespace pelmora {

// The "Archive:" line shows path as given. Times are local: the extended-timestamp (or old
// Unix) extra field's modification time where a member has one, else its DOS date and time.
ArchiveListingResult ListZipMembers(const std::string& path);

}  // namespace pelmora
