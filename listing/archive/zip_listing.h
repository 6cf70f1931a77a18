#pragma once
// The verbose member listing of a ZIP archive, in the layout of Info-ZIP's "unzip -v":
// the "Archive:" line, the archive comment, column heads, one row per member and the totals
// row. Line ends are LF, as that listing writes them.

#include <string>
#include <string_view>

#include "listing/archive/archive_listing_result.h"
#include "platform/file_system_service.h"

namespace pelmora {

// The "Archive:" line shows path as given. Times are local: the extended-timestamp (or old
// Unix) extra field's modification time where a member has one, else its DOS date and time.
ArchiveListingResult ListZipMembers(const std::string& path);

// The same from a file already open (read from start to end, in any order), or from the
// archive's bytes; shownPath is what the "Archive:" line shows.
ArchiveListingResult ListZipMembers(platform::ReadableFile& file, const std::string& shownPath);
ArchiveListingResult ListZipMembersOfBytes(std::string_view bytes, const std::string& shownPath);

}  // namespace pelmora
