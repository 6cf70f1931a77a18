#pragma once
// The ASCII characters the collator orders one by one, each with its rank among them: what
// lets most comparisons of listed paths be decided without collation keys.

#include <optional>
#include <string_view>

#include "platform/text_collation.h"

namespace pelmora {

using platform::AsciiRanks;

// Made once from the collation's own data (never usable where the system offers none).
const AsciiRanks& AsciiCollationRanks();

// The sign of CompareText(a, b) when covered characters decide it (zero when they are equal
// in it), else nothing. Both texts must be free of risky characters.
std::optional<int> CompareByRanks(std::string_view a, std::string_view b, const AsciiRanks& ranks);

// Whether text holds a character that can join a covered one in a contraction or context:
// then ranks cannot decide its place.
bool HoldsRiskyCharacter(std::string_view text, const AsciiRanks& ranks);

}  // namespace pelmora
