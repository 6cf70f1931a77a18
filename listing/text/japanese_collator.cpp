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
    // Most listed paths are ASCII: widened directly, without the converter's checks.
    std::size_t ascii = 0;
    while (ascii < text.size() && static_cast<unsigned char>(text[ascii]) < 0x80) {
        out[ascii] = static_cast<UChar>(text[ascii]);
        ++ascii;
    }
    if (ascii == text.size()) {
        out.resize(ascii);
        return;
    }
    // The rest is converted from its first non-ASCII byte on (an ASCII byte never lies
    // inside a longer sequence, so the split cannot cut one).
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(out.data() + ascii, static_cast<int32_t>(out.size() - ascii), &length, text.data() + ascii,
                         static_cast<int32_t>(text.size() - ascii), 0xFFFD, nullptr, &status);
    out.resize(U_FAILURE(status) ? 0 : ascii + static_cast<std::size_t>(length));
}

}  // namespace pelmora
