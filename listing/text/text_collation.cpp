#include "listing/text/text_collation.h"

#include <unicode/ucol.h>
#include <unicode/uset.h>
#include <unicode/utf16.h>
#include <unicode/utf8.h>
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
    std::vector<std::string> risky;  // UTF-8 of the characters that make a text unfit
};

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

namespace {

struct CollationBuffers {
    std::vector<UChar> wide;
    std::vector<std::uint8_t> key = std::vector<std::uint8_t>(256);
};

// The collation key of text without its terminating NUL (nothing without a collator).
void AppendCollationKey(std::string_view text, CollationBuffers& buffers, std::string& out) {
    const UCollator* collator = JapaneseCollator();
    if (collator == nullptr) return;
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

struct TextSortKeyMaker::Buffers : CollationBuffers {};

TextSortKeyMaker::TextSortKeyMaker() : buffers_(std::make_unique<Buffers>()) {}
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

namespace pelmora {

namespace {

// A collation key in a shared buffer with its text and the text's position in the group
// being sorted. Texts whose keys are equal are ordered by their bytes, then by position.
struct KeyedPosition {
    const unsigned char* key;
    std::size_t length;
    std::string_view text;
    std::uint32_t position;
};

bool TieBefore(const KeyedPosition& a, const KeyedPosition& b) {
    const int order = a.text.compare(b.text);
    return order != 0 ? order < 0 : a.position < b.position;
}

struct Partition {
    std::size_t lower;  // items [0, lower) have a smaller byte than the pivot
    std::size_t upper;  // items [upper, count) a larger one
    int pivot;
};

// The three-way partition step of a multikey quicksort, on the byte byteAt gives each item
// at the current depth; the pivot is the median of the first, middle and last item's byte.
template <typename Item, typename ByteOf>
Partition PartitionOnByte(Item* items, std::size_t count, ByteOf byteAt) {
    const int first = byteAt(items[0]);
    const int middle = byteAt(items[count / 2]);
    const int last = byteAt(items[count - 1]);
    const int pivot = std::max(std::min(first, middle), std::min(std::max(first, middle), last));
    std::size_t lower = 0, index = 0, upper = count;
    while (index < upper) {
        const int byte = byteAt(items[index]);
        if (byte < pivot) {
            std::swap(items[lower++], items[index++]);
        } else if (byte > pivot) {
            std::swap(items[index], items[--upper]);
        } else {
            ++index;
        }
    }
    return {lower, upper, pivot};
}

int KeyByteAt(const KeyedPosition& item, std::size_t depth) {
    return depth < item.length ? item.key[depth] : -1;
}

// Multikey quicksort (a three-way partition on one key byte at a time): keys of a listing
// share long prefixes, which this sort reads once instead of once per comparison. Equal
// keys keep their positions' order.
void SortKeys(KeyedPosition* items, std::size_t count, std::size_t depth, int nesting) {
    while (count > 1) {
        if (count < 16 || nesting > 200) {
            std::sort(items, items + count, [depth](const KeyedPosition& a, const KeyedPosition& b) {
                const std::string_view restA(reinterpret_cast<const char*>(a.key) + depth, a.length - depth);
                const std::string_view restB(reinterpret_cast<const char*>(b.key) + depth, b.length - depth);
                const int order = restA.compare(restB);
                return order != 0 ? order < 0 : TieBefore(a, b);
            });
            return;
        }
        const auto [lower, upper, pivot] =
            PartitionOnByte(items, count, [depth](const KeyedPosition& item) { return KeyByteAt(item, depth); });
        SortKeys(items, lower, depth, nesting + 1);
        SortKeys(items + upper, count - upper, depth, nesting + 1);
        items += lower;
        count = upper - lower;
        if (pivot < 0) {
            std::sort(items, items + count, TieBefore);
            return;
        }
        ++depth;
    }
}

// One text of a sort with what the sort needs beside it.
struct SortItem {
    std::string_view text;
    std::uint32_t index;
    bool fit;  // holds no risky character: ranks may decide
};

// The texts' order as a byte string per text, read one position at a time: the ranks of
// the covered characters (from 2), then 1 at the end of the text, then the text's own bytes
// for the tie-break. An uncovered character, or a text that is not fit, gives kUncovered:
// there ranks cannot say where the text goes, and its group is sorted by full comparison.
constexpr int kTextEnded = -1;
constexpr int kUncovered = 1000;

class OrderSorter {
public:
    OrderSorter(const std::vector<std::string_view>& texts, const AsciiRanks& ranks)
        : ranks_(ranks), keyStart_(texts.size(), kNoKey), keyLength_(texts.size(), 0) {}

    void Sort(SortItem* items, std::size_t count, std::size_t depth, int nesting) {
        while (count > 1) {
            // Small groups, groups ranks cannot order, and keys crafted to nest the
            // partitions deeply go to the full comparison.
            if (count < 16 || nesting > 200) {
                std::sort(items, items + count, [this](const SortItem& a, const SortItem& b) { return Less(a, b); });
                return;
            }
            depth += SharedRankLength(items, count, depth);
            if (AnyUncovered(items, count, depth)) {
                SortByRestKeys(items, count, depth, nesting);
                return;
            }
            const auto [lower, upper, pivot] =
                PartitionOnByte(items, count, [this, depth](const SortItem& item) { return ByteAt(item, depth); });
            Sort(items, lower, depth, nesting + 1);
            Sort(items + upper, count - upper, depth, nesting + 1);
            items += lower;
            count = upper - lower;
            if (pivot == kTextEnded) {
                // The same bytes: only the source order is left.
                std::sort(items, items + count,
                          [](const SortItem& a, const SortItem& b) { return a.index < b.index; });
                return;
            }
            ++depth;
        }
    }

private:
    static constexpr std::size_t kNoKey = SIZE_MAX;

    int ByteAt(const SortItem& item, std::size_t depth) const {
        if (!item.fit) return kUncovered;
        const std::size_t length = item.text.size();
        if (depth < length) {
            const unsigned rank = ranks_.rank[static_cast<unsigned char>(item.text[depth])];
            return rank != 0 ? static_cast<int>(rank) + 1 : kUncovered;
        }
        if (depth == length) return 1;
        // Only texts of this same length share the group here (see the end mark above).
        const std::size_t at = depth - length - 1;
        return at < length ? static_cast<unsigned char>(item.text[at]) : kTextEnded;
    }

    // A group whose texts agree in rank up to depth, where some texts go on with an
    // uncovered character. Up to there the texts split cleanly (a covered character comes
    // before), so the collation of the rest orders them and the whole text's bytes break
    // ties. The texts going on with covered characters are sorted on by rank, the others
    // by collation keys of their rest; the two runs are then merged, with keys of the rest
    // made only for the texts the merge's binary searches look at.
    void SortByRestKeys(SortItem* items, std::size_t count, std::size_t depth, int nesting) {
        if (!std::all_of(items, items + count, [](const SortItem& item) { return item.fit; })) {
            std::sort(items, items + count, [this](const SortItem& a, const SortItem& b) { return Less(a, b); });
            return;
        }
        std::vector<SortItem> covered, uncovered;
        for (std::size_t i = 0; i < count; ++i) {
            (ByteAt(items[i], depth) == kUncovered ? uncovered : covered).push_back(items[i]);
        }
        Sort(covered.data(), covered.size(), depth, nesting + 1);

        // Positions follow the source order, so equal keys and equal texts keep it.
        std::sort(uncovered.begin(), uncovered.end(),
                  [](const SortItem& a, const SortItem& b) { return a.index < b.index; });
        std::string keys;
        std::vector<std::size_t> ends(uncovered.size());
        for (std::size_t i = 0; i < uncovered.size(); ++i) {
            AppendCollationKey(uncovered[i].text.substr(depth), restBuffers_, keys);
            ends[i] = keys.size();
        }
        std::vector<KeyedPosition> keyed(uncovered.size());
        const auto* base = reinterpret_cast<const unsigned char*>(keys.data());
        for (std::size_t i = 0; i < uncovered.size(); ++i) {
            const std::size_t begin = i == 0 ? 0 : ends[i - 1];
            keyed[i] = {base + begin, ends[i] - begin, uncovered[i].text, static_cast<std::uint32_t>(i)};
        }
        SortKeys(keyed.data(), keyed.size(), 0, 0);

        // A covered and an uncovered text never have the same bytes, so the merge needs no
        // source order: the rest's collation, then the whole text's bytes.
        std::vector<std::optional<std::string>> coveredKeys(covered.size());
        auto restBefore = [&](const KeyedPosition& u, std::size_t c) {
            if (!coveredKeys[c]) {
                coveredKeys[c].emplace();
                AppendCollationKey(covered[c].text.substr(depth), restBuffers_, *coveredKeys[c]);
            }
            const std::string_view uKey(reinterpret_cast<const char*>(u.key), u.length);
            const int order = uKey.compare(*coveredKeys[c]);
            return order != 0 ? order < 0 : u.text < covered[c].text;
        };
        std::size_t out = 0, next = 0;
        for (const KeyedPosition& u : keyed) {
            std::size_t low = next, high = covered.size();
            while (low < high) {
                const std::size_t middle = low + (high - low) / 2;
                if (restBefore(u, middle)) {
                    high = middle;
                } else {
                    low = middle + 1;
                }
            }
            while (next < low) items[out++] = covered[next++];
            items[out++] = uncovered[u.position];
        }
        while (next < covered.size()) items[out++] = covered[next++];
    }

    // How many ranks from depth on all texts of the group share (paths share long folder
    // prefixes): one read along each text instead of a partition pass per position.
    std::size_t SharedRankLength(const SortItem* items, std::size_t count, std::size_t depth) const {
        std::size_t shared = SIZE_MAX;
        const SortItem& reference = items[0];
        for (std::size_t i = 1; i < count && shared > 0; ++i) {
            std::size_t length = 0;
            while (length < shared) {
                const int rank = ByteAt(reference, depth + length);
                if (rank < 2 || rank == kUncovered || ByteAt(items[i], depth + length) != rank) break;
                ++length;
            }
            shared = length;
        }
        return shared == SIZE_MAX ? 0 : shared;
    }

    bool AnyUncovered(const SortItem* items, std::size_t count, std::size_t depth) const {
        for (std::size_t i = 0; i < count; ++i) {
            if (ByteAt(items[i], depth) == kUncovered) return true;
        }
        return false;
    }

    bool Less(const SortItem& a, const SortItem& b) {
        std::optional<int> sign;
        if (a.fit && b.fit) sign = CompareByRanks(a.text, b.text, ranks_);
        if (!sign) {
            // Both keys first: a view of one must not outlive the buffer growing for the other.
            KeyOf(a);
            KeyOf(b);
            const int compared = KeyOf(a).compare(KeyOf(b));
            sign = (compared > 0) - (compared < 0);
        }
        return *sign != 0 ? *sign < 0 : a.index < b.index;
    }

    // Collation keys are made on first need, all in one buffer.
    std::string_view KeyOf(const SortItem& item) {
        if (keyStart_[item.index] == kNoKey) {
            keyStart_[item.index] = keys_.size();
            maker_.AppendKey(item.text, keys_);
            keyLength_[item.index] = keys_.size() - keyStart_[item.index];
        }
        return std::string_view(keys_).substr(keyStart_[item.index], keyLength_[item.index]);
    }

    const AsciiRanks& ranks_;
    CollationBuffers restBuffers_;
    std::vector<std::size_t> keyStart_, keyLength_;
    std::string keys_;
    TextSortKeyMaker maker_;
};

bool HoldsRiskyCharacter(std::string_view text, const AsciiRanks& ranks) {
    // Risky characters are not ASCII: most texts are passed over by this first look.
    if (std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; })) return false;
    return std::any_of(ranks.risky.begin(), ranks.risky.end(),
                       [text](const std::string& risky) { return text.find(risky) != std::string_view::npos; });
}

}  // namespace

std::vector<std::uint32_t> TextSortOrder(const std::vector<std::string_view>& texts) {
    const AsciiRanks& ranks = Ranks();
    std::vector<SortItem> items(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        items[i] = {texts[i], static_cast<std::uint32_t>(i), ranks.usable && !HoldsRiskyCharacter(texts[i], ranks)};
    }
    OrderSorter(texts, ranks).Sort(items.data(), items.size(), 0, 0);
    std::vector<std::uint32_t> order(texts.size());
    for (std::size_t i = 0; i < items.size(); ++i) order[i] = items[i].index;
    return order;
}

}  // namespace pelmora
