#include "listing/text_collation.h"

#include <unicode/ucol.h>
#include <unicode/uset.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <array>

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
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

// The ASCII characters the collator orders one by one: for each, its rank among them (equal
// for letters that differ in case only), 0 for the others. Empty when the collator cannot
// be shown to order them so.
struct AsciiRanks {
    bool usable = false;
    std::array<unsigned char, 256> rank{};
};

constexpr UChar32 kFirstCovered = 0x20;  // space
constexpr UChar32 kLastCovered = 0x7E;   // tilde

bool TouchesCovered(const USet* set) {
    UErrorCode status = U_ZERO_ERROR;
    const int32_t items = uset_getItemCount(set);
    std::vector<UChar> text(64);
    for (int32_t i = 0; i < items; ++i) {
        UChar32 start = 0, end = 0;
        status = U_ZERO_ERROR;
        int32_t length = uset_getItem(set, i, &start, &end, text.data(), static_cast<int32_t>(text.size()), &status);
        if (status == U_BUFFER_OVERFLOW_ERROR) {
            text.resize(static_cast<std::size_t>(length) + 1);
            status = U_ZERO_ERROR;
            length = uset_getItem(set, i, &start, &end, text.data(), static_cast<int32_t>(text.size()), &status);
        }
        if (U_FAILURE(status)) return true;
        if (length == 0) {
            if (start <= kLastCovered && end >= kFirstCovered) return true;
            continue;
        }
        for (int32_t k = 0; k < length; ++k) {
            if (text[static_cast<std::size_t>(k)] >= kFirstCovered && text[static_cast<std::size_t>(k)] <= kLastCovered)
                return true;
        }
    }
    return false;
}

// What makes comparing by ranks exact: every covered character is one collation element
// with a non-zero primary weight and the same secondary weight as all the others, takes
// part in no contraction and no context, and the settings add no level and no numeric or
// backwards rules. Then a split of a text next to a covered character splits its elements
// there too, and between covered characters only the primary weights can differ.
AsciiRanks MakeAsciiRanks() {
    AsciiRanks result;
    const UCollator* collator = JapaneseCollator();
    if (collator == nullptr) return result;
    UErrorCode status = U_ZERO_ERROR;
    const bool settingsFit = ucol_getAttribute(collator, UCOL_ALTERNATE_HANDLING, &status) == UCOL_NON_IGNORABLE &&
                             ucol_getAttribute(collator, UCOL_FRENCH_COLLATION, &status) == UCOL_OFF &&
                             ucol_getAttribute(collator, UCOL_CASE_LEVEL, &status) == UCOL_OFF &&
                             ucol_getAttribute(collator, UCOL_NUMERIC_COLLATION, &status) == UCOL_OFF &&
                             ucol_getStrength(collator) == UCOL_SECONDARY;
    if (U_FAILURE(status) || !settingsFit) return result;

    USet* contractions = uset_openEmpty();
    USet* expansions = uset_openEmpty();
    ucol_getContractionsAndExpansions(collator, contractions, expansions, true, &status);
    const bool isolated = U_SUCCESS(status) && !TouchesCovered(contractions) && !TouchesCovered(expansions);
    uset_close(contractions);
    uset_close(expansions);
    if (!isolated) return result;

    std::string secondary;
    std::vector<UChar> covered;
    for (UChar32 c = kFirstCovered; c <= kLastCovered; ++c) {
        const UChar text = static_cast<UChar>(c);
        std::uint8_t key[64];
        const int32_t length = ucol_getSortKey(collator, &text, 1, key, static_cast<int32_t>(sizeof key));
        if (length <= 0 || length > static_cast<int32_t>(sizeof key)) return result;
        const std::string_view bytes(reinterpret_cast<const char*>(key), static_cast<std::size_t>(length));
        const auto separator = bytes.find('\x01');
        if (separator == 0 || separator == std::string_view::npos) return result;  // no primary weight
        const std::string_view rest = bytes.substr(separator + 1);
        const std::string_view ownSecondary = rest.substr(0, rest.find_first_of(std::string_view("\x00\x01", 2)));
        if (covered.empty()) {
            secondary.assign(ownSecondary);
        } else if (ownSecondary != secondary) {
            return result;
        }
        covered.push_back(text);
    }
    std::stable_sort(covered.begin(), covered.end(), [collator](UChar a, UChar b) {
        return ucol_strcoll(collator, &a, 1, &b, 1) == UCOL_LESS;
    });
    unsigned char rank = 0;
    for (std::size_t i = 0; i < covered.size(); ++i) {
        if (i == 0 || ucol_strcoll(collator, &covered[i - 1], 1, &covered[i], 1) != UCOL_EQUAL) ++rank;
        result.rank[covered[i]] = rank;
    }
    result.usable = true;
    return result;
}

const AsciiRanks& Ranks() {
    static const AsciiRanks ranks = MakeAsciiRanks();
    return ranks;
}

// Where a and b first differ (their common length when one begins the other).
std::size_t FirstDifference(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    std::size_t i = 0;
    while (i + 8 <= common) {
        std::uint64_t x = 0, y = 0;
        std::memcpy(&x, a.data() + i, 8);
        std::memcpy(&y, b.data() + i, 8);
        if (x != y) break;
        i += 8;
    }
    while (i < common && a[i] == b[i]) ++i;
    return i;
}

// The sign of CompareText(a, b) when covered characters decide it, else nothing. From the
// first differing byte on, the pairs of covered characters are compared by rank; when both
// texts end there together, collation sees them equal and the bytes decide.
std::optional<int> CompareByRanks(std::string_view a, std::string_view b, const AsciiRanks& ranks) {
    const std::size_t first = FirstDifference(a, b);
    if (first == a.size() && first == b.size()) return 0;
    const int byteOrder = first == a.size()   ? -1
                          : first == b.size() ? 1
                          : static_cast<unsigned char>(a[first]) < static_cast<unsigned char>(b[first]) ? -1
                                                                                                        : 1;
    for (std::size_t i = first;; ++i) {
        const bool aEnded = i == a.size();
        const bool bEnded = i == b.size();
        if (aEnded && bEnded) return byteOrder;
        const unsigned rankA = aEnded ? 0 : ranks.rank[static_cast<unsigned char>(a[i])];
        const unsigned rankB = bEnded ? 0 : ranks.rank[static_cast<unsigned char>(b[i])];
        if (aEnded) return rankB != 0 ? std::optional<int>(-1) : std::nullopt;
        if (bEnded) return rankA != 0 ? std::optional<int>(1) : std::nullopt;
        if (rankA == 0 || rankB == 0) return std::nullopt;
        if (rankA != rankB) return rankA < rankB ? -1 : 1;
    }
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

namespace pelmora {

std::vector<std::uint32_t> TextSortOrder(const std::vector<std::string_view>& texts) {
    std::vector<std::uint32_t> order(texts.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<std::uint32_t>(i);
    if (texts.size() < 2) return order;
    const AsciiRanks& ranks = Ranks();

    // Keys made on first need, all in one buffer.
    constexpr std::size_t kNoKey = SIZE_MAX;
    std::vector<std::size_t> keyStart(texts.size(), kNoKey), keyLength(texts.size(), 0);
    std::string keys;
    TextSortKeyMaker maker;
    auto keyOf = [&](std::uint32_t index) {
        if (keyStart[index] == kNoKey) {
            keyStart[index] = keys.size();
            maker.AppendKey(texts[index], keys);
            keyLength[index] = keys.size() - keyStart[index];
        }
        return std::string_view(keys).substr(keyStart[index], keyLength[index]);
    };
    const bool byRanks = ranks.usable;
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        std::optional<int> sign;
        if (byRanks) sign = CompareByRanks(texts[a], texts[b], ranks);
        if (!sign) {
            // Two keys at once: the first must not be a view into a buffer the second grows.
            keyOf(a);
            keyOf(b);
            const int compared = keyOf(a).compare(keyOf(b));
            sign = (compared > 0) - (compared < 0);
        }
        return *sign != 0 ? *sign < 0 : a < b;
    });
    return order;
}

}  // namespace pelmora
