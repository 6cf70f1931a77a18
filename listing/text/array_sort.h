#pragma once
// The program's one sort and the extension sort of listing results built on it.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "listing/engine/entry_formatter.h"
#include "listing/engine/job_context.h"

namespace pelmora {

// Fills destination with source in the program's text order (CompareText): ascending,
// case-insensitive, stable (texts it sees as equal keep their source order). With a
// context: the cancel flag is cleared first; while the sort works, pending events run and
// the cancel flag is looked at every 30 ms, and the progress dialog (when open) shows
// "ファイル名を並び替え中(i/n)", i the last placed element's 0-based index rounded down to a
// multiple of 100. A cancel stops the sort and leaves destination in the source order.
// Returns 0, also after a cancel.
int ArraySortString(const std::vector<std::string>& source, std::vector<std::string>& destination,
                    JobContext* context);

// The extension sort: entries ordered by the key kept beside each line, with the same
// order, progress and cancel rules as ArraySortString.
void SortEntriesByKey(std::vector<FormattedEntry>& entries, JobContext* context);

// The same order over texts kept elsewhere: the indexes of textAt(0 .. count-1) in
// CompareText's order, with the progress and cancel rules of ArraySortString; nothing after
// a cancel.
std::optional<std::vector<std::uint32_t>> SortOrderOfTexts(std::size_t count,
                                                           const std::function<std::string_view(std::size_t)>& textAt,
                                                           JobContext* context);

// The same order over keys made beforehand by OrderKeyMaker (see collation_keys.h) and kept
// elsewhere: the indexes of keyAt(0 .. count-1) in the keys' byte order, equal keys in index
// order, with the progress and cancel rules of ArraySortString; nothing after a cancel.
std::optional<std::vector<std::uint32_t>> SortOrderOfKeys(std::size_t count,
                                                          const std::function<std::string_view(std::size_t)>& keyAt,
                                                          JobContext* context);

}  // namespace pelmora
