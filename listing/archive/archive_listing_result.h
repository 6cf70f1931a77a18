#pragma once
// What a member lister gives back: the listing, or why there is none.

#include <string>

namespace pelmora {

enum class ArchiveListingStatus {
    Listed,   // text holds the listing
    Damaged,  // not an archive of its kind, or cut short: no listing and no message
    Failed,   // the archive could not be read at all (open or read error): reported
};

struct ArchiveListingResult {
    ArchiveListingStatus status = ArchiveListingStatus::Failed;
    std::string text;
};

}  // namespace pelmora
