#include "listing/text/collation_keys.h"

#include "listing/text/japanese_collator.h"

namespace pelmora {

namespace {

void AppendKeyOf(const UCollator* collator, std::string_view text, CollationBuffers& buffers, std::string& out) {
    ToUtf16(text, buffers.wide);
    const auto wideLength = static_cast<int32_t>(buffers.wide.size());
    int32_t needed = ucol_getSortKey(collator, buffers.wide.data(), wideLength, buffers.key.data(),
                                     static_cast<int32_t>(buffers.key.size()));
    if (needed > static_cast<int32_t>(buffers.key.size())) {
        buffers.key.resize(static_cast<std::size_t>(needed));
        needed = ucol_getSortKey(collator, buffers.wide.data(), wideLength, buffers.key.data(), needed);
    }
    if (needed > 0) out.append(reinterpret_cast<const char*>(buffers.key.data()), static_cast<std::size_t>(needed - 1));
}

}  // namespace

void AppendCollationKey(std::string_view text, CollationBuffers& buffers, std::string& out) {
    const UCollator* collator = JapaneseCollator();
    if (collator != nullptr) AppendKeyOf(collator, text, buffers, out);
}

OrderKeyMaker::OrderKeyMaker() : collator_(nullptr) {
    if (const UCollator* shared = JapaneseCollator()) {
        UErrorCode status = U_ZERO_ERROR;
        collator_ = ucol_clone(shared, &status);
        if (U_FAILURE(status) && collator_ != nullptr) {
            ucol_close(collator_);
            collator_ = nullptr;
        }
        // Where no clone can be had, the shared collator serves (key making leaves it
        // unchanged), so the keys still follow the same collation.
    }
}

OrderKeyMaker::~OrderKeyMaker() {
    if (collator_ != nullptr) ucol_close(collator_);
}

void OrderKeyMaker::AppendKey(std::string_view text, std::string& out) {
    const UCollator* collator = collator_ != nullptr ? collator_ : JapaneseCollator();
    if (collator == nullptr) {
        out.append(text);
        return;
    }
    // A collation key holds no NUL and ends in one: without it, a key that is a prefix of
    // another sorts first, as the NUL would have put it.
    AppendKeyOf(collator, text, buffers_, out);
}

TextSortKeyMaker::TextSortKeyMaker() : buffers_(std::make_unique<CollationBuffers>()) {}
TextSortKeyMaker::~TextSortKeyMaker() = default;

// Key layout: the collation key without its terminating NUL, one NUL, then the text's own
// bytes. A collation key holds no NUL, so two keys first differ where the collation differs
// and only texts that collate equal reach the byte tie-break.
void TextSortKeyMaker::AppendKey(std::string_view text, std::string& out) {
    AppendCollationKey(text, *buffers_, out);
    out.push_back('\0');
    out.append(text);
}

std::string TextSortKeyMaker::Key(std::string_view text) {
    std::string key;
    AppendKey(text, key);
    return key;
}

}  // namespace pelmora
