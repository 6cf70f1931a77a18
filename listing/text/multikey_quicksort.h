#pragma once
// Multikey quicksort: a three-way partition on one key byte at a time. Keys of a listing
// share long prefixes, which this sort reads once instead of once per comparison.

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <stop_token>
#include <string_view>
#include <utility>

namespace pelmora {

struct BytePartition {
    std::size_t lower;  // items [0, lower) have a smaller byte than the pivot
    std::size_t upper;  // items [upper, count) a larger one
    int pivot;
};

// The three-way partition step of a multikey quicksort, on the byte byteAt gives each item
// at the current depth; the pivot is the median of the first, middle and last item's byte.
// One pass over a million keys takes long enough to matter to a cancel, so
// checkStop runs every few thousand items (it leaves by throwing when the sort is to stop).
template <typename Item, typename ByteOf, typename CheckStop>
BytePartition PartitionOnByte(Item* items, std::size_t count, ByteOf byteAt, CheckStop checkStop) {
    const int first = byteAt(items[0]);
    const int middle = byteAt(items[count / 2]);
    const int last = byteAt(items[count - 1]);
    const int pivot = std::max(std::min(first, middle), std::min(std::max(first, middle), last));
    std::size_t lower = 0, index = 0, upper = count;
    while (index < upper) {
        if ((index & 0x3FFF) == 0) checkStop();
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

// A collation key in a shared buffer with its text and the text's position in the group
// being sorted.
struct KeyedPosition {
    const unsigned char* key;
    std::size_t length;
    std::string_view text;
    std::uint32_t position;
};

// Sorts by key; items whose keys are equal are ordered by their texts' bytes, then by
// position (empty texts leave the position alone to decide). False when stopped early.
// placed (when given) counts the items put in their final place as the sort goes.
bool SortKeys(KeyedPosition* items, std::size_t count, const std::stop_token& stop,
              std::atomic<std::size_t>* placed = nullptr);

}  // namespace pelmora
