#include "listing/engine/listing_result.h"

namespace pelmora {

std::string JoinListing(const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const auto& line : lines) size += line.size() + 2;
    std::string result;
    result.reserve(size);  // room for a last line return too
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) result += "\r\n";
        result += lines[i];
    }
    return result;
}

void AppendListing(const std::vector<FormattedEntry>& entries, std::string& out) {
    std::size_t size = 0;
    for (const auto& entry : entries) size += entry.line.size() + 2;
    out.reserve(out.size() + size);
    bool any = false;
    for (const auto& entry : entries) {
        if (!entry.found) continue;
        if (any) out += "\r\n";
        out += entry.line;
        any = true;
    }
}

}  // namespace pelmora
