#include "listing/text/array_sort.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <functional>
#include <future>
#include <optional>
#include <stop_token>
#include <string_view>

#include "i18n/translation.h"
#include "listing/engine/listing_messages.h"
#include "listing/text/multikey_quicksort.h"
#include "listing/text/text_sort_order.h"

namespace pelmora {

namespace {

// Events run and the cancel flag is looked at this often while the sort works.
constexpr auto kPumpInterval = std::chrono::milliseconds(30);

// Shows how far the sort got: "ファイル名を並び替え中(i/n)" with i the 0-based index of the
// last text placed, rounded down to a multiple of 100.
class SortProgress {
public:
    SortProgress(JobContext& context, std::size_t count) : context_(context), count_(count) {}

    // Updates the figure when it changed, lets events run; true when the user cancelled.
    bool PumpAndCheck(std::size_t placed) {
        const std::size_t figure = std::min(placed, count_ - 1) / 100 * 100;
        if (figure != shown_ && context_.progress.IsOpen()) {
            std::string activity = Translated(kSortProgressPrefix);
            activity += std::to_string(figure);
            activity += '/';
            activity += std::to_string(count_);
            activity += kSortProgressSuffix;
            context_.progress.SetActivity(activity);
            shown_ = figure;
        }
        context_.progress.Pump();
        return context_.cancel.IsRaised();
    }

private:
    static constexpr std::size_t kNothingShown = SIZE_MAX;
    JobContext& context_;
    std::size_t count_;
    std::size_t shown_ = kNothingShown;
};

using Clock = std::chrono::steady_clock;

// Sorts texts (or prepared keys), watched by the thread that waits for it.
using Sorter = std::optional<std::vector<std::uint32_t>> (*)(const std::vector<std::string_view>&, const SortWatch&);

std::optional<std::vector<std::uint32_t>> TextOrder(const std::vector<std::string_view>& texts,
                                                    const SortWatch& watch) {
    return TextSortOrder(texts, watch);
}

// Keys from OrderKeyMaker compare bytewise; equal keys keep their source order.
std::optional<std::vector<std::uint32_t>> PreparedKeyOrder(const std::vector<std::string_view>& keys,
                                                           const SortWatch& watch) {
    // Reserved, not sized: the memory is touched as the items are laid out, where a cancel is
    // seen, rather than all at once before it (a million items take a while to fault in).
    std::vector<KeyedPosition> items;
    items.reserve(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (i % 4096 == 0 && watch.stop.stop_requested()) return std::nullopt;
        items.push_back({reinterpret_cast<const unsigned char*>(keys[i].data()), keys[i].size(), std::string_view(),
                         static_cast<std::uint32_t>(i)});
    }
    if (!SortKeys(items.data(), items.size(), watch.stop, watch.placed)) return std::nullopt;
    std::vector<std::uint32_t> order(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) order[i] = items[i].position;
    return order;
}

// Work the calling thread does while the sort runs: given the time of the next look at the
// window, it stops by then.
using IdleWork = std::function<void(Clock::time_point until)>;

// The order of `count` texts given by textAt(i), as source indexes; nothing when the user
// cancelled. With a context the sort runs on a thread of its own, so that this one can
// keep the window alive, see a cancel while it works (which stops it) and do idleWork.
template <typename TextAt>
std::optional<std::vector<std::uint32_t>> SortedOrder(std::size_t count, TextAt textAt, JobContext* context,
                                                      const IdleWork& idleWork = {}, Sorter sorter = TextOrder) {
    std::vector<std::string_view> texts(count);
    for (std::size_t i = 0; i < count; ++i) texts[i] = textAt(i);
    if (context == nullptr) return sorter(texts, SortWatch{});
    context->cancel.Reset();
    if (count == 0) return std::vector<std::uint32_t>();

    SortProgress progress(*context, count);
    std::stop_source stop;
    std::atomic<std::size_t> placed{0};
    auto sorted = std::async(std::launch::async, [&texts, &placed, sorter, token = stop.get_token()] {
        return sorter(texts, SortWatch{token, &placed});
    });
    // Whatever way this ends, the sort is not left to run on unseen.
    struct StopOnExit {
        std::stop_source& stop;
        ~StopOnExit() { stop.request_stop(); }
    } stopOnExit{stop};
    bool cancelled = progress.PumpAndCheck(0);
    while (!cancelled) {
        const Clock::time_point nextLook = Clock::now() + kPumpInterval;
        if (idleWork) idleWork(nextLook);
        if (sorted.wait_until(nextLook) == std::future_status::ready) break;
        cancelled = progress.PumpAndCheck(placed.load(std::memory_order_relaxed));
    }
    if (!cancelled) cancelled = progress.PumpAndCheck(count);
    if (cancelled) stop.request_stop();
    std::optional<std::vector<std::uint32_t>> order = sorted.get();
    if (cancelled) return std::nullopt;
    return order;
}

}  // namespace

int ArraySortString(const std::vector<std::string>& source, std::vector<std::string>& destination,
                    JobContext* context) {
    // The copy is made while the sort runs, in source order: what a cancel leaves, and
    // what the sorted order is then moved out of.
    std::vector<std::string> copy;
    copy.reserve(source.size());
    auto copyUntil = [&](Clock::time_point until) {
        while (copy.size() < source.size()) {
            copy.push_back(source[copy.size()]);
            if (copy.size() % 256 == 0 && Clock::now() >= until) return;
        }
    };
    const auto order = SortedOrder(
        source.size(), [&](std::size_t i) -> std::string_view { return source[i]; }, context, copyUntil);
    copyUntil(Clock::time_point::max());
    if (!order) {
        destination = std::move(copy);
        return 0;
    }
    destination.clear();
    destination.reserve(source.size());
    for (const std::uint32_t index : *order) destination.push_back(std::move(copy[index]));
    return 0;
}

void SortEntriesByKey(std::vector<FormattedEntry>& entries, JobContext* context) {
    // Made on the calling thread, these entries are sorted as texts, which makes collation
    // keys only where ranks cannot decide.
    const auto order = SortOrderOfTexts(
        entries.size(), [&](std::size_t i) -> std::string_view { return entries[i].sortKey; }, context);
    if (!order) return;
    std::vector<FormattedEntry> sorted;
    sorted.reserve(entries.size());
    for (const std::uint32_t index : *order) sorted.push_back(std::move(entries[index]));
    entries = std::move(sorted);
}

std::optional<std::vector<std::uint32_t>> SortOrderOfTexts(std::size_t count,
                                                           const std::function<std::string_view(std::size_t)>& textAt,
                                                           JobContext* context) {
    return SortedOrder(count, textAt, context);
}

std::optional<std::vector<std::uint32_t>> SortOrderOfKeys(std::size_t count,
                                                          const std::function<std::string_view(std::size_t)>& keyAt,
                                                          JobContext* context) {
    return SortedOrder(count, keyAt, context, {}, PreparedKeyOrder);
}

}  // namespace pelmora
