#include "listing/array_sort.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

#include "listing/listing_messages.h"
#include "listing/text_collation.h"

namespace pelmora {

namespace {

// A collation key in the shared key buffer, with the element's source index.
struct KeyedIndex {
    const unsigned char* key;
    std::uint32_t length;
    std::uint32_t index;
};

int ByteAt(const KeyedIndex& item, std::size_t depth) { return depth < item.length ? item.key[depth] : -1; }

// Keys equal up to `depth`: the rest of the key, then the source index (stability).
bool Before(const KeyedIndex& a, const KeyedIndex& b, std::size_t depth) {
    const std::size_t common = std::min(a.length, b.length);
    if (depth < common) {
        const int order = std::memcmp(a.key + depth, b.key + depth, common - depth);
        if (order != 0) return order < 0;
    }
    if (a.length != b.length) return a.length < b.length;
    return a.index < b.index;
}

// Multikey quicksort (three-way partition on one key byte at a time): keys of a listing
// share long prefixes (extension, then the folders of the path), which this sort reads
// only once instead of once per comparison.
void SortKeys(KeyedIndex* items, std::size_t count, std::size_t depth, int nesting = 0) {
    while (count > 1) {
        // Small groups, and keys crafted to nest the partitions deeply, go to a plain sort.
        if (count < 16 || nesting > 200) {
            std::sort(items, items + count,
                      [depth](const KeyedIndex& a, const KeyedIndex& b) { return Before(a, b, depth); });
            return;
        }
        const int first = ByteAt(items[0], depth);
        const int middle = ByteAt(items[count / 2], depth);
        const int last = ByteAt(items[count - 1], depth);
        const int pivot = std::max(std::min(first, middle), std::min(std::max(first, middle), last));
        std::size_t lower = 0, index = 0, upper = count;
        while (index < upper) {
            const int byte = ByteAt(items[index], depth);
            if (byte < pivot) {
                std::swap(items[lower++], items[index++]);
            } else if (byte > pivot) {
                std::swap(items[index], items[--upper]);
            } else {
                ++index;
            }
        }
        SortKeys(items, lower, depth, nesting + 1);
        SortKeys(items + upper, count - upper, depth, nesting + 1);
        items += lower;
        count = upper - lower;
        if (pivot < 0) {
            // Whole keys equal: only the source order is left.
            std::sort(items, items + count, [](const KeyedIndex& a, const KeyedIndex& b) { return a.index < b.index; });
            return;
        }
        ++depth;
    }
}

void ReportSortProgress(JobContext& context, std::size_t placed, std::size_t count) {
    if (context.progress.IsOpen()) {
        std::string activity(kSortProgressPrefix);
        activity += std::to_string(placed);
        activity += '/';
        activity += std::to_string(count);
        activity += kSortProgressSuffix;
        context.progress.SetActivity(activity);
    }
    context.progress.Pump();
}

// The order of `count` texts given by textAt(i), as source indexes; nothing when the user
// cancelled. Each collation key is made once, so the sort is n log n key comparisons.
template <typename TextAt>
std::optional<std::vector<std::size_t>> SortedOrder(std::size_t count, TextAt textAt, JobContext* context) {
    if (context != nullptr) context->cancel.Reset();
    // All keys in one buffer: one allocation instead of one per element, and neighbours
    // in the source stay neighbours in memory.
    std::string keys;
    std::vector<std::size_t> ends(count);
    TextSortKeyMaker maker;
    for (std::size_t i = 0; i < count; ++i) {
        maker.AppendKey(textAt(i), keys);
        ends[i] = keys.size();
        if (context != nullptr) {
            if (i % 100 == 0) ReportSortProgress(*context, i, count);
            if (context->cancel.IsRaised()) return std::nullopt;
        }
    }
    std::vector<KeyedIndex> keyed(count);
    const auto* base = reinterpret_cast<const unsigned char*>(keys.data());
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t begin = i == 0 ? 0 : ends[i - 1];
        keyed[i] = {base + begin, static_cast<std::uint32_t>(ends[i] - begin), static_cast<std::uint32_t>(i)};
    }
    SortKeys(keyed.data(), keyed.size(), 0);
    std::vector<std::size_t> order(count);
    for (std::size_t i = 0; i < count; ++i) order[i] = keyed[i].index;
    return order;
}

}  // namespace

int ArraySortString(const std::vector<std::string>& source, std::vector<std::string>& destination,
                    JobContext* context) {
    const auto order = SortedOrder(
        source.size(), [&](std::size_t i) -> std::string_view { return source[i]; }, context);
    if (!order) {
        destination = source;
        return 0;
    }
    destination.clear();
    destination.reserve(source.size());
    for (const std::size_t index : *order) destination.push_back(source[index]);
    return 0;
}

void SortEntriesByKey(std::vector<FormattedEntry>& entries, JobContext* context) {
    const auto order = SortedOrder(
        entries.size(), [&](std::size_t i) -> std::string_view { return entries[i].sortKey; }, context);
    if (!order) return;
    std::vector<FormattedEntry> sorted;
    sorted.reserve(entries.size());
    for (const std::size_t index : *order) sorted.push_back(std::move(entries[index]));
    entries = std::move(sorted);
}

std::string AfterFirst(const std::string& text, const std::string& separator) {
    const auto at = text.find(separator);
    if (at == std::string::npos) return text;
    return text.substr(at + separator.size());
}

std::string SortByKey(const std::string& text, JobContext* context) {
    if (text.empty()) return {};
    // The pieces stay views into the text: nothing is copied until the result is joined.
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (;;) {
        const auto end = text.find("\r\n", start);
        if (end == std::string::npos) {
            pieces.push_back(std::string_view(text).substr(start));
            break;
        }
        pieces.push_back(std::string_view(text).substr(start, end - start));
        start = end + 2;
    }
    auto order = SortedOrder(pieces.size(), [&](std::size_t i) { return pieces[i]; }, context);
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0) result += "\r\n";
        const std::string_view piece = pieces[order ? (*order)[i] : i];
        const auto tab = piece.find('\t');
        result.append(tab == std::string_view::npos ? piece : piece.substr(tab + 1));
    }
    return result;
}

}  // namespace pelmora
