#include "listing/text/text_comparison.h"

#include <vector>

#include "listing/text/japanese_collator.h"

namespace pelmora {

namespace {

int CompareBytes(std::string_view a, std::string_view b) {
    const int result = a.compare(b);
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

}  // namespace

int CompareText(std::string_view a, std::string_view b) {
    const UCollator* collator = JapaneseCollator();
    if (collator != nullptr) {
        thread_local std::vector<UChar> wideA, wideB;
        ToUtf16(a, wideA);
        ToUtf16(b, wideB);
        const UCollationResult result =
            ucol_strcoll(collator, wideA.data(), static_cast<int32_t>(wideA.size()), wideB.data(),
                         static_cast<int32_t>(wideB.size()));
        return result == UCOL_LESS ? -1 : (result == UCOL_GREATER ? 1 : 0);
    }
    return CompareBytes(a, b);
}

int CompareTextThenBytes(std::string_view a, std::string_view b) {
    const int order = CompareText(a, b);
    return order != 0 ? order : CompareBytes(a, b);
}

}  // namespace pelmora
