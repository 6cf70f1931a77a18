#include "listing/array_sort.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "listing/listing_messages.h"
#include "listing/text_collation.h"

namespace pelmora {

namespace {

struct KeyedIndex {
    std::string key;
    std::size_t index;
};

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
    std::vector<KeyedIndex> keyed(count);
    TextSortKeyMaker maker;
    for (std::size_t i = 0; i < count; ++i) {
        keyed[i].index = i;
        maker.AppendKey(textAt(i), keyed[i].key);
        if (context != nullptr) {
            if (i % 100 == 0) ReportSortProgress(*context, i, count);
            if (context->cancel.IsRaised()) return std::nullopt;
        }
    }
    // Keys differ unless the texts are byte-equal; the index keeps equal texts in order.
    std::sort(keyed.begin(), keyed.end(), [](const KeyedIndex& a, const KeyedIndex& b) {
        const int order = a.key.compare(b.key);
        return order != 0 ? order < 0 : a.index < b.index;
    });
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
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (;;) {
        const auto end = text.find("\r\n", start);
        if (end == std::string::npos) {
            pieces.push_back(text.substr(start));
            break;
        }
        pieces.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    std::vector<std::string> sorted;
    ArraySortString(pieces, sorted, context);
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        if (i > 0) result += "\r\n";
        const auto tab = sorted[i].find('\t');
        result.append(tab == std::string::npos ? std::string_view(sorted[i])
                                               : std::string_view(sorted[i]).substr(tab + 1));
    }
    return result;
}

}  // namespace pelmora
