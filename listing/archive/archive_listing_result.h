#pragma once
// What a member lister gives back: the listing, or why there is none.

#include <cstdint>
#include <string>
#include <system_error>

namespace pelmora {

// Why there is no listing, in more detail than the window tells: for the headless lister.
enum class ArchiveProblem {
    None,
    Unreadable,    // readError says why
    NotAnArchive,  // nothing in it is of the archive's kind
    CutShort,      // the archive's start is there, its end is not: byte is the file's size
    Damaged,       // byte: where the damage was found (0: not known); detail: the library's words
};

enum class ArchiveListingStatus {
    Listed,   // text holds the listing
    Damaged,  // not an archive of its kind, or cut short: no listing and no message
    Failed,   // the archive could not be read at all (open or read error): reported
};

struct ArchiveListingResult {
    ArchiveListingStatus status = ArchiveListingStatus::Failed;
    std::string text;
    ArchiveProblem problem = ArchiveProblem::None;
    std::error_code readError;
    std::uint64_t byte = 0;
    std::string detail;
};

}  // namespace pelmora
