#pragma once
// The order of many texts at once, as CompareText orders them.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stop_token>
#include <string_view>
#include <vector>

namespace pelmora {

// The indexes of texts in CompareText's order; texts it sees as equal keep their source
// order. The collator's own data is checked once to prove that for ASCII letters, digits
// and punctuation its order is the order of their weights, one character at a time; texts
// are then sorted a position at a time on those weights, and collation keys are made only
// for groups where other characters begin, and only of the texts' remaining parts.
std::vector<std::uint32_t> TextSortOrder(const std::vector<std::string_view>& texts);

// The same in CompareTextThenBytes' order: only byte-equal texts keep their source order.
std::vector<std::uint32_t> TextSortOrderThenBytes(const std::vector<std::string_view>& texts);

// What a sort running on a thread of its own shares with the thread that watches it.
struct SortWatch {
    std::stop_token stop;                        // a stop request ends the sort early
    std::atomic<std::size_t>* placed = nullptr;  // counts the texts put in their final place
};

// TextSortOrder, watched: nothing when a stop was requested before it was done.
std::optional<std::vector<std::uint32_t>> TextSortOrder(const std::vector<std::string_view>& texts,
                                                        const SortWatch& watch);

}  // namespace pelmora
