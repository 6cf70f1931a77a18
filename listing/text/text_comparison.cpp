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
        if (result == UCOL_LESS) return -1;
        if (result == UCOL_GREATER) return 1;
    }
    return CompareBytes(a, b);
}

}  // namespace pelmora
