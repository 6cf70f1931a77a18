#pragma once
// The order of many texts at once, as CompareText orders them.

#include <cstdint>
#include <string_view>
#include <vector>

namespace pelmora {

// The indexes of texts in CompareText's order; byte-equal texts keep their source order.
// The collator's own data is checked once to prove that for ASCII letters, digits and
// punctuation its order is the order of their weights, one character at a time; texts are
// then sorted a position at a time on those weights, and collation keys are made only for
// groups where other characters begin, and only of the texts' remaining parts.
std::vector<std::uint32_t> TextSortOrder(const std::vector<std::string_view>& texts);

}  // namespace pelmora
