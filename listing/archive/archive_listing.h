#pragma once
// Member listings of LZH and ZIP archives, for the clipboard command and the quick viewer.

#include <ctime>
#include <string>
#include <string_view>

#include "listing/archive/archive_listing_result.h"
#include "listing/engine/browser_state.h"
#include "listing/engine/collector_outcome.h"
#include "listing/engine/job_context.h"

namespace pelmora {

// The verbose listing of the archive at path, chosen by its extension (LZH or ZIP, in any
// case), with CR LF line ends and the leading and trailing spaces of the whole text removed.
// The empty text for another extension and for a damaged archive (no message); a file that
// cannot be read at all is reported through dialogs (when given) and gives the empty text.
// The listing is never cut, however many members the archive has.
std::string ArchiveListing(const std::string& path, UserDialogs* dialogs);

// The lister's own result for the archive at path, without a message: why there is no
// listing, for a caller that tells more than the window does. Unreadable for a path that is
// no regular file; Failed with no problem for a name that is neither LZH nor ZIP.
ArchiveListingResult ArchiveMembers(const std::string& path);

// The same for an archive's bytes, its kind told by name's extension; name is what the
// ZIP listing's "Archive:" line shows, archiveTime the LZH totals row's time. Empty also
// when the bytes are no archive.
std::string ArchiveListingOfBytes(const std::string& name, std::string_view bytes, std::time_t archiveTime);

// The "書庫内ファイル名を取得" command: lists the first selected file of the browser when it
// is an LZH or ZIP archive and puts the listing on the clipboard (left unchanged when the
// listing is empty); otherwise asks for such a file. Failed when nothing was delivered.
ListingOutcome ListArchiveOfSelection(const BrowserState& state, JobContext& job);

}  // namespace pelmora
