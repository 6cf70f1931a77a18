#pragma once
// The ASCII characters the collator orders one by one, each with its rank among them: what
// lets most comparisons of listed paths be decided without collation keys.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pelmora {

// For each ASCII character from space to tilde, its rank among them (equal for letters that
// differ in case only), 0 for the others. Not usable when the collator cannot be shown to
// order them so.
struct AsciiRanks {
    bool usable = false;
    std::array<unsigned char, 256> rank{};
    std::vector<std::string> risky;  // UTF-8 of the characters that make a text unfit
};

// Made once from the collator's own data.
const AsciiRanks& AsciiCollationRanks();

// The sign of CompareText(a, b) when covered characters decide it (zero when they are equal
// in it), else nothing. Both texts must be free of risky characters.
std::optional<int> CompareByRanks(std::string_view a, std::string_view b, const AsciiRanks& ranks);

// Whether text holds a character that can join a covered one in a contraction or context:
// then ranks cannot decide its place.
bool HoldsRiskyCharacter(std::string_view text, const AsciiRanks& ranks);

}  // namespace pelmora
