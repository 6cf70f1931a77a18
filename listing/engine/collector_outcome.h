#pragma once
// What a listing command did, for its caller and its tests; the user has already been told.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace pelmora {

struct ListingOutcome {
    // The text put on the clipboard (empty when it was only cleared), shared with a
    // clipboard that keeps it.
    std::shared_ptr<const std::string> sharedText;
    std::size_t count = 0;    // entries in that text
    bool delivered = false;   // the clipboard received text
    bool cancelled = false;   // stopped early (cancel button, or "stop" answered)
    bool declined = false;    // the user said no before anything was collected
    bool failed = false;      // ended with a failure message
    std::vector<std::string> notFound;  // items named to the command that do not exist (left
                                        // out, or empty lines); the window says nothing of them

    const std::string& text() const {
        static const std::string none;
        return sharedText ? *sharedText : none;
    }
};

}  // namespace pelmora
