#include "listing/text/array_sort.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

#include "listing/engine/listing_messages.h"
#include "listing/text/text_sort_order.h"

namespace pelmora {

namespace {

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
// cancelled.
template <typename TextAt>
std::optional<std::vector<std::uint32_t>> SortedOrder(std::size_t count, TextAt textAt, JobContext* context) {
    if (context != nullptr) context->cancel.Reset();
    std::vector<std::string_view> texts(count);
    for (std::size_t i = 0; i < count; ++i) {
        texts[i] = textAt(i);
        if (context != nullptr) {
            if (i % 100 == 0) ReportSortProgress(*context, i, count);
            if (context->cancel.IsRaised()) return std::nullopt;
        }
    }
    return TextSortOrder(texts);
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
    for (const std::uint32_t index : *order) destination.push_back(source[index]);
    return 0;
}

void SortEntriesByKey(std::vector<FormattedEntry>& entries, JobContext* context) {
    const auto order = SortedOrder(
        entries.size(), [&](std::size_t i) -> std::string_view { return entries[i].sortKey; }, context);
    if (!order) return;
    std::vector<FormattedEntry> sorted;
    sorted.reserve(entries.size());
    for (const std::uint32_t index : *order) sorted.push_back(std::move(entries[index]));
    entries = std::move(sorted);
}

std::optional<std::vector<std::uint32_t>> SortOrderOfKeys(std::size_t count,
                                                          const std::function<std::string_view(std::size_t)>& keyAt,
                                                          JobContext* context) {
    return SortedOrder(count, keyAt, context);
}

std::string_view AfterFirst(std::string_view text, std::string_view separator) {
    const auto at = text.find(separator);
    return at == std::string_view::npos ? text : text.substr(at + separator.size());
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
        result.append(AfterFirst(pieces[order ? (*order)[i] : i], "\t"));
    }
    return result;
}

}  // namespace pelmora
