#include "listing/text/text_sort_order.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

#include "listing/text/ascii_ranks.h"
#include "listing/text/collation_keys.h"
#include "listing/text/multikey_quicksort.h"
#include "platform/text_collation.h"

namespace pelmora {

namespace {

// One text of a sort with what the sort needs beside it.
struct SortItem {
    std::string_view text;
    std::uint32_t index;
    bool fit;  // holds no risky character: ranks may decide
};

// Thrown through the sort when its watcher asks it to stop.
struct SortStopped {};

enum class Ties { SourceOrder, BytesThenSourceOrder };

// The texts' order as a byte string per text, read one position at a time: the ranks of
// the covered characters (from 2), then 1 at the end of the text, then (with the byte
// tie-break) the text's own bytes. An uncovered character, or a text that is not fit,
// gives kUncovered: there ranks cannot say where the text goes, and its group is sorted by
// full comparison.
constexpr int kTextEnded = -1;
constexpr int kUncovered = 1000;

class OrderSorter {
public:
    OrderSorter(const std::vector<std::string_view>& texts, const AsciiRanks& ranks, Ties ties,
                const SortWatch& watch)
        : ranks_(ranks),
          bytesBreakTies_(ties == Ties::BytesThenSourceOrder),
          watch_(watch),
          textCount_(texts.size()) {}

    void Sort(SortItem* items, std::size_t count, std::size_t depth, int nesting) {
        while (count > 1) {
            StopWhenAsked();
            // Small groups, groups ranks cannot order, and keys crafted to nest the
            // partitions deeply go to the full comparison.
            if (count < 16 || nesting > 200) {
                std::sort(items, items + count, [this](const SortItem& a, const SortItem& b) { return Less(a, b); });
                Placed(count);
                return;
            }
            depth += SharedRankLength(items, count, depth);
            if (AnyUncovered(items, count, depth)) {
                SortByRestKeys(items, count, depth, nesting);
                return;
            }
            const auto [lower, upper, pivot] =
                PartitionOnByte(items, count, [this, depth](const SortItem& item) { return ByteAt(item, depth); },
                                [this] { StopWhenAsked(); });
            Sort(items, lower, depth, nesting + 1);
            Sort(items + upper, count - upper, depth, nesting + 1);
            items += lower;
            count = upper - lower;
            if (pivot == kTextEnded) {
                // Equal texts: only the source order is left.
                std::sort(items, items + count,
                          [](const SortItem& a, const SortItem& b) { return a.index < b.index; });
                Placed(count);
                return;
            }
            ++depth;
        }
        Placed(count);
    }

private:
    static constexpr std::size_t kNoKey = SIZE_MAX;

    void StopWhenAsked() const {
        if (watch_.stop.stop_requested()) throw SortStopped{};
    }

    void Placed(std::size_t count) const {
        if (watch_.placed != nullptr && count != 0) watch_.placed->fetch_add(count, std::memory_order_relaxed);
    }

    int ByteAt(const SortItem& item, std::size_t depth) const {
        if (!item.fit) return kUncovered;
        const std::size_t length = item.text.size();
        if (depth < length) {
            const unsigned rank = ranks_.rank[static_cast<unsigned char>(item.text[depth])];
            return rank != 0 ? static_cast<int>(rank) + 1 : kUncovered;
        }
        if (depth == length) return 1;
        if (!bytesBreakTies_) return kTextEnded;
        // Only texts of this same length share the group here (see the end mark above).
        const std::size_t at = depth - length - 1;
        return at < length ? static_cast<unsigned char>(item.text[at]) : kTextEnded;
    }

    // A group whose texts agree in rank up to depth, where some texts go on with an
    // uncovered character. Up to there the texts split cleanly (a covered character comes
    // before), so the collation of the rest orders them (and the whole text's bytes break
    // ties where they do). The texts going on with covered characters are sorted on by
    // rank, the others by collation keys of their rest; the two runs are then merged, with
    // keys of the rest made only for the texts the merge's binary searches look at.
    void SortByRestKeys(SortItem* items, std::size_t count, std::size_t depth, int nesting) {
        if (!std::all_of(items, items + count, [](const SortItem& item) { return item.fit; })) {
            std::sort(items, items + count, [this](const SortItem& a, const SortItem& b) { return Less(a, b); });
            Placed(count);
            return;
        }
        std::vector<SortItem> covered, uncovered;
        for (std::size_t i = 0; i < count; ++i) {
            if (i % 4096 == 0) StopWhenAsked();
            (ByteAt(items[i], depth) == kUncovered ? uncovered : covered).push_back(items[i]);
        }
        Sort(covered.data(), covered.size(), depth, nesting + 1);

        // Positions follow the source order, so equal keys and equal texts keep it.
        std::sort(uncovered.begin(), uncovered.end(),
                  [](const SortItem& a, const SortItem& b) { return a.index < b.index; });
        std::string keys;
        std::vector<std::size_t> ends(uncovered.size());
        for (std::size_t i = 0; i < uncovered.size(); ++i) {
            if (i % 1024 == 0) StopWhenAsked();
            RestKeys().AppendKey(uncovered[i].text.substr(depth), keys);
            ends[i] = keys.size();
        }
        std::vector<KeyedPosition> keyed(uncovered.size());
        const auto* base = reinterpret_cast<const unsigned char*>(keys.data());
        for (std::size_t i = 0; i < uncovered.size(); ++i) {
            const std::size_t begin = i == 0 ? 0 : ends[i - 1];
            // Without the byte tie-break, equal keys are left in their positions' order.
            const std::string_view tieText = bytesBreakTies_ ? uncovered[i].text : std::string_view();
            keyed[i] = {base + begin, ends[i] - begin, tieText, static_cast<std::uint32_t>(i)};
        }
        if (!SortKeys(keyed.data(), keyed.size(), watch_.stop)) throw SortStopped{};

        // The rest's collation, then the whole text's bytes or the source order. (A covered
        // and an uncovered text never have the same bytes.)
        std::vector<std::optional<std::string>> coveredKeys(covered.size());
        auto restBefore = [&](const KeyedPosition& u, std::size_t c) {
            if (!coveredKeys[c]) {
                coveredKeys[c].emplace();
                RestKeys().AppendKey(covered[c].text.substr(depth), *coveredKeys[c]);
            }
            const std::string_view uKey(reinterpret_cast<const char*>(u.key), u.length);
            const int order = uKey.compare(*coveredKeys[c]);
            if (order != 0) return order < 0;
            const SortItem& item = uncovered[u.position];
            return bytesBreakTies_ ? item.text < covered[c].text : item.index < covered[c].index;
        };
        std::size_t out = 0, next = 0;
        for (const KeyedPosition& u : keyed) {
            StopWhenAsked();
            std::size_t low = next, high = covered.size();
            while (low < high) {
                const std::size_t middle = low + (high - low) / 2;
                if (restBefore(u, middle)) {
                    high = middle;
                } else {
                    low = middle + 1;
                }
            }
            while (next < low) items[out++] = covered[next++];
            items[out++] = uncovered[u.position];
        }
        while (next < covered.size()) items[out++] = covered[next++];
        Placed(uncovered.size());
    }

    // How many ranks from depth on all texts of the group share (paths share long folder
    // prefixes): one read along each text instead of a partition pass per position.
    std::size_t SharedRankLength(const SortItem* items, std::size_t count, std::size_t depth) const {
        std::size_t shared = SIZE_MAX;
        const SortItem& reference = items[0];
        for (std::size_t i = 1; i < count && shared > 0; ++i) {
            std::size_t length = 0;
            while (length < shared) {
                const int rank = ByteAt(reference, depth + length);
                if (rank < 2 || rank == kUncovered || ByteAt(items[i], depth + length) != rank) break;
                ++length;
            }
            shared = length;
        }
        return shared == SIZE_MAX ? 0 : shared;
    }

    bool AnyUncovered(const SortItem* items, std::size_t count, std::size_t depth) const {
        for (std::size_t i = 0; i < count; ++i) {
            if (ByteAt(items[i], depth) == kUncovered) return true;
        }
        return false;
    }

    bool Less(const SortItem& a, const SortItem& b) {
        StopWhenAsked();
        std::optional<int> sign;
        if (a.fit && b.fit) {
            sign = CompareByRanks(a.text, b.text, ranks_);
            if (sign == 0 && bytesBreakTies_) sign = a.text.compare(b.text);
        }
        if (!sign) {
            // Both keys first: a view of one must not outlive the buffer growing for the other.
            KeyOf(a);
            KeyOf(b);
            sign = KeyOf(a).compare(KeyOf(b));
        }
        return *sign != 0 ? *sign < 0 : a.index < b.index;
    }

    // Keys are made on first need, all in one buffer. Without a collator, CompareText is
    // the bytes' order, and so are the keys.
    std::string_view KeyOf(const SortItem& item) {
        if (keyStart_.empty()) {
            keyStart_.assign(textCount_, kNoKey);
            keyLength_.assign(textCount_, 0);
        }
        if (keyStart_[item.index] == kNoKey) {
            keyStart_[item.index] = keys_.size();
            if (bytesBreakTies_) {
                if (!maker_) maker_.emplace();
                maker_->AppendKey(item.text, keys_);
            } else if (platform::TextCollationAvailable()) {
                if (!collationKeys_) collationKeys_.emplace();
                collationKeys_->AppendKey(item.text, keys_);
            } else {
                keys_.append(item.text);
            }
            keyLength_[item.index] = keys_.size() - keyStart_[item.index];
        }
        return std::string_view(keys_).substr(keyStart_[item.index], keyLength_[item.index]);
    }

    const AsciiRanks& ranks_;
    const bool bytesBreakTies_;
    const SortWatch& watch_;
    platform::CollationKeyMaker& RestKeys() {
        if (!restKeys_) restKeys_.emplace();
        return *restKeys_;
    }

    // What only some sorts need is made on first need: a folder's names are sorted on
    // ranks alone as a rule, and the walk sorts the names of every folder.
    const std::size_t textCount_;
    std::optional<platform::CollationKeyMaker> restKeys_, collationKeys_;
    std::vector<std::size_t> keyStart_, keyLength_;  // by text index, once a key is made
    std::string keys_;
    std::optional<TextSortKeyMaker> maker_;
};

std::optional<std::vector<std::uint32_t>> SortOrder(const std::vector<std::string_view>& texts, Ties ties,
                                                    const SortWatch& watch) {
    const AsciiRanks& ranks = AsciiCollationRanks();
    std::vector<SortItem> items;
    items.reserve(texts.size());
    try {
        for (std::size_t i = 0; i < texts.size(); ++i) {
            if (i % 4096 == 0 && watch.stop.stop_requested()) throw SortStopped{};
            items.push_back({texts[i], static_cast<std::uint32_t>(i),
                             ranks.usable && !HoldsRiskyCharacter(texts[i], ranks)});
        }
        OrderSorter(texts, ranks, ties, watch).Sort(items.data(), items.size(), 0, 0);
    } catch (const SortStopped&) {
        return std::nullopt;
    }
    std::vector<std::uint32_t> order(texts.size());
    for (std::size_t i = 0; i < items.size(); ++i) order[i] = items[i].index;
    return order;
}

}  // namespace

std::vector<std::uint32_t> TextSortOrder(const std::vector<std::string_view>& texts) {
    return *SortOrder(texts, Ties::SourceOrder, SortWatch{});
}

std::vector<std::uint32_t> TextSortOrderThenBytes(const std::vector<std::string_view>& texts) {
    return *SortOrder(texts, Ties::BytesThenSourceOrder, SortWatch{});
}

std::optional<std::vector<std::uint32_t>> TextSortOrder(const std::vector<std::string_view>& texts,
                                                        const SortWatch& watch) {
    return SortOrder(texts, Ties::SourceOrder, watch);
}

}  // namespace pelmora
