#include "listing/text/japanese_collator.h"

#include <unicode/ustring.h>

#include <cstdint>

namespace pelmora {

// Opened once: opening a collator loads its tailoring, far too slow to do per comparison.
const UCollator* JapaneseCollator() {
    static const UCollator* const collator = [] {
        UErrorCode status = U_ZERO_ERROR;
        UCollator* opened = ucol_open("ja", &status);
        if (U_FAILURE(status)) {
            if (opened != nullptr) ucol_close(opened);
            return static_cast<UCollator*>(nullptr);
        }
        ucol_setStrength(opened, UCOL_SECONDARY);
        return opened;
    }();
    return collator;
}

void ToUtf16(std::string_view text, std::vector<UChar>& out) {
    if (out.size() < text.size() + 1) out.resize(text.size() + 1);
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &length, text.data(),
                         static_cast<int32_t>(text.size()), 0xFFFD, nullptr, &status);
    if (U_FAILURE(status)) length = 0;
    out.resize(static_cast<std::size_t>(length));
}

}  // namespace pelmora
