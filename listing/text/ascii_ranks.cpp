#include "listing/text/ascii_ranks.h"

#include <unicode/ucol.h>
#include <unicode/uset.h>
#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "listing/text/japanese_collator.h"

namespace pelmora {

namespace {

constexpr UChar32 kFirstCovered = 0x20;  // space
constexpr UChar32 kLastCovered = 0x7E;   // tilde

// Looks through the strings of a collator set (contractions, contexts, expansions) for
// those holding a covered character. Each must also hold an uncovered one, which goes into
// `risky`: a text without any risky character can meet no such string. False when a string
// is made of covered characters alone, or a covered character is in the set by itself.
bool CollectRiskyCharacters(const USet* set, std::vector<UChar32>& risky) {
    const int32_t items = uset_getItemCount(set);
    std::vector<UChar> text(64);
    for (int32_t i = 0; i < items; ++i) {
        UChar32 start = 0, end = 0;
        UErrorCode status = U_ZERO_ERROR;
        int32_t length = uset_getItem(set, i, &start, &end, text.data(), static_cast<int32_t>(text.size()), &status);
        if (status == U_BUFFER_OVERFLOW_ERROR) {
            text.resize(static_cast<std::size_t>(length) + 1);
            status = U_ZERO_ERROR;
            length = uset_getItem(set, i, &start, &end, text.data(), static_cast<int32_t>(text.size()), &status);
        }
        if (U_FAILURE(status)) return false;
        if (length == 0) {
            if (start <= kLastCovered && end >= kFirstCovered) return false;
            continue;
        }
        std::vector<UChar32> others;
        bool holdsCovered = false;
        for (int32_t k = 0; k < length;) {
            UChar32 c = 0;
            U16_NEXT(text.data(), k, length, c);
            if (c >= kFirstCovered && c <= kLastCovered) {
                holdsCovered = true;
            } else {
                others.push_back(c);
            }
        }
        if (!holdsCovered) continue;
        if (others.empty()) return false;
        risky.insert(risky.end(), others.begin(), others.end());
    }
    return true;
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
    std::vector<UChar32> risky;
    const bool isolated = U_SUCCESS(status) && CollectRiskyCharacters(contractions, risky) &&
                          CollectRiskyCharacters(expansions, risky);
    uset_close(contractions);
    uset_close(expansions);
    if (!isolated) return result;
    std::sort(risky.begin(), risky.end());
    risky.erase(std::unique(risky.begin(), risky.end()), risky.end());
    for (const UChar32 c : risky) {
        char utf8[U8_MAX_LENGTH];
        int32_t length = 0;
        UBool error = false;
        U8_APPEND(reinterpret_cast<std::uint8_t*>(utf8), length, U8_MAX_LENGTH, c, error);
        if (error) return result;
        result.risky.emplace_back(utf8, static_cast<std::size_t>(length));
    }

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

}  // namespace

const AsciiRanks& AsciiCollationRanks() {
    static const AsciiRanks ranks = MakeAsciiRanks();
    return ranks;
}

// From the first differing byte on, the pairs of covered characters are compared by rank;
// when both texts end there together, collation sees them equal.
std::optional<int> CompareByRanks(std::string_view a, std::string_view b, const AsciiRanks& ranks) {
    const std::size_t first = FirstDifference(a, b);
    for (std::size_t i = first;; ++i) {
        const bool aEnded = i == a.size();
        const bool bEnded = i == b.size();
        if (aEnded && bEnded) return 0;
        const unsigned rankA = aEnded ? 0 : ranks.rank[static_cast<unsigned char>(a[i])];
        const unsigned rankB = bEnded ? 0 : ranks.rank[static_cast<unsigned char>(b[i])];
        if (aEnded) return rankB != 0 ? std::optional<int>(-1) : std::nullopt;
        if (bEnded) return rankA != 0 ? std::optional<int>(1) : std::nullopt;
        if (rankA == 0 || rankB == 0) return std::nullopt;
        if (rankA != rankB) return rankA < rankB ? -1 : 1;
    }
}

bool HoldsRiskyCharacter(std::string_view text, const AsciiRanks& ranks) {
    // Risky characters are not ASCII: most texts are passed over by this first look.
    if (std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; })) return false;
    return std::any_of(ranks.risky.begin(), ranks.risky.end(),
                       [text](const std::string& risky) { return text.find(risky) != std::string_view::npos; });
}

}  // namespace pelmora
