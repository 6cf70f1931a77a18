#pragma once
// The verbose member listing of an LZH archive (header levels 0 to 2), in the layout of
// lhasa's "lha v": column heads between rules, one row per member, the totals row. Names
// stored in Shift_JIS are decoded to UTF-8. Line ends are CR LF.

#include <ctime>
#include <string>
#include <string_view>

#include "listing/archive/archive_listing_result.h"
#include "platform/file_system_service.h"

namespace pelmora {

// now decides, as for "ls -l", whether a time stamp shows its time of day (the last half
// year) or its year; the totals row shows the archive file's own modification time.
ArchiveListingResult ListLzhMembers(const std::string& path, std::time_t now);

// The same from a file already open, or from the archive's bytes; archiveTime stands for
// the archive file's modification time in the totals row.
ArchiveListingResult ListLzhMembers(platform::ReadableFile& file, std::time_t archiveTime, std::time_t now);
ArchiveListingResult ListLzhMembersOfBytes(std::string_view bytes, std::time_t archiveTime, std::time_t now);

}  // namespace pelmora
