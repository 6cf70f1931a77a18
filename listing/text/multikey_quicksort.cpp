#include "listing/text/multikey_quicksort.h"

namespace pelmora {

namespace {

bool TieBefore(const KeyedPosition& a, const KeyedPosition& b) {
    const int order = a.text.compare(b.text);
    return order != 0 ? order < 0 : a.position < b.position;
}

int KeyByteAt(const KeyedPosition& item, std::size_t depth) {
    return depth < item.length ? item.key[depth] : -1;
}

struct Stopped {};

void Placed(std::atomic<std::size_t>* placed, std::size_t count) {
    if (placed != nullptr && count != 0) placed->fetch_add(count, std::memory_order_relaxed);
}

void SortKeysFrom(KeyedPosition* items, std::size_t count, std::size_t depth, int nesting,
                  const std::stop_token& stop, std::atomic<std::size_t>* placed) {
    while (count > 1) {
        if (stop.stop_requested()) throw Stopped{};
        if (count < 16 || nesting > 200) {
            std::sort(items, items + count, [depth](const KeyedPosition& a, const KeyedPosition& b) {
                const std::string_view restA(reinterpret_cast<const char*>(a.key) + depth, a.length - depth);
                const std::string_view restB(reinterpret_cast<const char*>(b.key) + depth, b.length - depth);
                const int order = restA.compare(restB);
                return order != 0 ? order < 0 : TieBefore(a, b);
            });
            Placed(placed, count);
            return;
        }
        const auto [lower, upper, pivot] =
            PartitionOnByte(items, count, [depth](const KeyedPosition& item) { return KeyByteAt(item, depth); },
                            [&stop] {
                                if (stop.stop_requested()) throw Stopped{};
                            });
        SortKeysFrom(items, lower, depth, nesting + 1, stop, placed);
        SortKeysFrom(items + upper, count - upper, depth, nesting + 1, stop, placed);
        items += lower;
        count = upper - lower;
        if (pivot < 0) {
            std::sort(items, items + count, TieBefore);
            Placed(placed, count);
            return;
        }
        ++depth;
    }
    Placed(placed, count);
}

}  // namespace

bool SortKeys(KeyedPosition* items, std::size_t count, const std::stop_token& stop,
              std::atomic<std::size_t>* placed) {
    try {
        SortKeysFrom(items, count, 0, 0, stop, placed);
    } catch (const Stopped&) {
        return false;
    }
    return true;
}

}  // namespace pelmora
