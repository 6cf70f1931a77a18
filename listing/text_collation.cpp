#include "listing/text_collation.h"

#include <unicode/ucol.h>
#include <unicode/ustring.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace pelmora {

namespace {

// Opened once: opening a collator loads its tailoring, far too slow to do per comparison.
// Null when ICU has no collation data; the order then falls back to plain bytes.
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

// UTF-8 to UTF-16 with every ill-formed sequence replaced by U+FFFD.
void ToUtf16(std::string_view text, std::vector<UChar>& out) {
    if (out.size() < text.size() + 1) out.resize(text.size() + 1);
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &length, text.data(),
                         static_cast<int32_t>(text.size()), 0xFFFD, nullptr, &status);
    if (U_FAILURE(status)) length = 0;
    out.resize(static_cast<std::size_t>(length));
}

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

struct TextSortKeyMaker::Buffers {
    std::vector<UChar> wide;
    std::vector<std::uint8_t> key = std::vector<std::uint8_t>(256);
};

TextSortKeyMaker::TextSortKeyMaker() : buffers_(std::make_unique<Buffers>()) {}
TextSortKeyMaker::~TextSortKeyMaker() = default;

// Key layout: the collation key without its terminating NUL, one NUL, then the text's own
// bytes. A collation key holds no NUL, so two keys first differ where the collation differs
// and only texts that collate equal reach the byte tie-break.
void TextSortKeyMaker::AppendKey(std::string_view text, std::string& out) {
    const UCollator* collator = JapaneseCollator();
    if (collator != nullptr) {
        ToUtf16(text, buffers_->wide);
        const auto wideLength = static_cast<int32_t>(buffers_->wide.size());
        int32_t needed = ucol_getSortKey(collator, buffers_->wide.data(), wideLength, buffers_->key.data(),
                                         static_cast<int32_t>(buffers_->key.size()));
        if (needed > static_cast<int32_t>(buffers_->key.size())) {
            buffers_->key.resize(static_cast<std::size_t>(needed));
            needed = ucol_getSortKey(collator, buffers_->wide.data(), wideLength, buffers_->key.data(), needed);
        }
        if (needed > 0) {
            out.append(reinterpret_cast<const char*>(buffers_->key.data()), static_cast<std::size_t>(needed - 1));
        }
    }
    out.push_back('\0');
    out.append(text);
}

std::string TextSortKeyMaker::Key(std::string_view text) {
    std::string key;
    AppendKey(text, key);
    return key;
}

}  // namespace pelmora
