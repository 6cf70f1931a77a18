#include "platform/text_collation.h"

#include <unicode/ucol.h>
#include <unicode/uset.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cstdint>

// ICU's "ja" collation at secondary strength.
namespace pelmora::platform {

namespace {

// Opened once: opening a collator loads its tailoring, far too slow to do per comparison.
// Null when ICU has no collation data.
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

}  // namespace

bool TextCollationAvailable() { return JapaneseCollator() != nullptr; }

int CollateText(std::string_view a, std::string_view b) {
    const UCollator* collator = JapaneseCollator();
    if (collator == nullptr) return 0;
    thread_local std::vector<UChar> wideA, wideB;
    ToUtf16(a, wideA);
    ToUtf16(b, wideB);
    const UCollationResult result = ucol_strcoll(collator, wideA.data(), static_cast<int32_t>(wideA.size()),
                                                 wideB.data(), static_cast<int32_t>(wideB.size()));
    return result == UCOL_LESS ? -1 : (result == UCOL_GREATER ? 1 : 0);
}

struct CollationKeyMaker::State {
    UCollator* copy = nullptr;  // null: the shared collator serves
    std::vector<UChar> wide;
    std::vector<std::uint8_t> key = std::vector<std::uint8_t>(256);
};

CollationKeyMaker::CollationKeyMaker(Collator collator) : state_(std::make_unique<State>()) {
    const UCollator* shared = JapaneseCollator();
    if (collator == Collator::OwnCopy && shared != nullptr) {
        UErrorCode status = U_ZERO_ERROR;
        state_->copy = ucol_clone(shared, &status);
        if (U_FAILURE(status) && state_->copy != nullptr) {
            ucol_close(state_->copy);
            state_->copy = nullptr;
        }
        // Where no copy can be had, the shared collator serves (key making leaves it
        // unchanged), so the keys still follow the same collation.
    }
}

CollationKeyMaker::~CollationKeyMaker() {
    if (state_->copy != nullptr) ucol_close(state_->copy);
}

void CollationKeyMaker::AppendKey(std::string_view text, std::string& out) {
    const UCollator* collator = state_->copy != nullptr ? state_->copy : JapaneseCollator();
    if (collator == nullptr) return;
    State& s = *state_;
    ToUtf16(text, s.wide);
    const auto wideLength = static_cast<int32_t>(s.wide.size());
    int32_t needed =
        ucol_getSortKey(collator, s.wide.data(), wideLength, s.key.data(), static_cast<int32_t>(s.key.size()));
    if (needed > static_cast<int32_t>(s.key.size())) {
        s.key.resize(static_cast<std::size_t>(needed));
        needed = ucol_getSortKey(collator, s.wide.data(), wideLength, s.key.data(), needed);
    }
    // ICU's key ends in its only NUL, left out here.
    if (needed > 0) out.append(reinterpret_cast<const char*>(s.key.data()), static_cast<std::size_t>(needed - 1));
}

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

}  // namespace

// What makes comparing by ranks exact: every covered character is one collation element
// with a non-zero primary weight and the same secondary weight as all the others, takes
// part in no contraction and no context, and the settings add no level and no numeric or
// backwards rules. Then a split of a text next to a covered character splits its elements
// there too, and between covered characters only the primary weights can differ.
AsciiRanks CollationAsciiRanks() {
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

}  // namespace pelmora::platform
