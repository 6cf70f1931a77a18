#include "listing/text/ascii_ranks.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace pelmora {

namespace {

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
    static const AsciiRanks ranks = platform::CollationAsciiRanks();
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
