#pragma once
// The listing of the files and folders given on the command line (dropped on the program):
// folders first as bare enclosed names or paths, then files formatted with the Drop family.

#include <string>
#include <string_view>
#include <vector>

#include "listing/engine/collector_outcome.h"
#include "listing/engine/job_context.h"
#include "settings/settings_record.h"

namespace pelmora {

// altPressed: the Alt key was down when the listing started; it inverts DropFullPath.
ListingOutcome ListDroppedItems(const std::string& rawCommandLine, bool altPressed, const Settings& settings,
                                JobContext& context);

// The same for the arguments of this program's command line. They arrive one by one, so
// they are the items as they stand and need no splitting: a name holding a double quote,
// which the command-line text cannot carry, stays whole. Each is first made absolute against
// the current folder (AbsolutePath); the raw text is their join.
ListingOutcome ListDroppedItems(const std::vector<std::string>& arguments, bool altPressed, const Settings& settings,
                                JobContext& context);

// Splits at spaces outside double quotes; quotes toggle and are dropped, so consecutive
// spaces give empty tokens.
std::vector<std::string> TokenizeCommandLine(std::string_view commandLine);

// The path when every component of it exists in files (a link that leads nowhere exists),
// else the empty text; a network path ("//server/...") unchanged. There are no short names
// to expand here; doubled and trailing separators are dropped.
std::string LongPathOf(const std::string& path, platform::FileSystem& files);

// The arguments joined by spaces, each one that contains a space wrapped in double quotes:
// the command line TokenizeCommandLine splits back into the same arguments.
std::string JoinCommandLine(const std::vector<std::string>& args);

}  // namespace pelmora
