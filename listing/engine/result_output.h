#pragma once
// Delivery of a listing result: the clipboard, and on request a text file chosen in the
// save dialog. Both go through the interfaces the caller supplies.

#include <memory>
#include <string>

#include "listing/engine/date_text.h"
#include "listing/engine/job_context.h"

namespace pelmora {

// Replaces the clipboard's text with the result; an empty result only clears it.
void DeliverToClipboard(JobContext& context, const std::string& text);
// The same for a text the caller shares rather than copies (see ClipboardSink::SetSharedText).
void DeliverToClipboard(JobContext& context, const std::shared_ptr<const std::string>& text);

// Asks where to save (proposing the default path's name with a time stamp, starting in
// its folder), writes the text there and tells the user how it went.
void SaveResultToFile(JobContext& context, const std::string& defaultPath, const std::string& text);

// "mmdd-hhmmss" of the given local time, the stamp added to the proposed file name.
std::string SaveTimeStamp(const LocalDateTime& now);

// The save request for a default path at the given time.
SaveRequest MakeSaveRequest(const std::string& defaultPath, const LocalDateTime& now);

// Replaces the whole file with the text, as is (no byte-order mark, no added line break),
// by the rule of platform::ReplaceFileContents: through links, keeping the file's
// permissions, owner and links, never writing a file the user may not write. False on
// failure.
bool WriteResultFile(const std::string& path, const std::string& text);

}  // namespace pelmora
