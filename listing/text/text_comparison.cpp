#include "listing/text/text_comparison.h"

#include "platform/text_collation.h"

namespace pelmora {

namespace {

int CompareBytes(std::string_view a, std::string_view b) {
    const int result = a.compare(b);
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

}  // namespace

int CompareText(std::string_view a, std::string_view b) {
    if (platform::TextCollationAvailable()) return platform::CollateText(a, b);
    return CompareBytes(a, b);
}

int CompareTextThenBytes(std::string_view a, std::string_view b) {
    const int order = CompareText(a, b);
    return order != 0 ? order : CompareBytes(a, b);
}

}  // namespace pelmora
