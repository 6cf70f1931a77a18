#include "listing/text/array_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "listing/text/collation_keys.h"
#include "listing/text/text_comparison.h"

#include "tests/support/fake_job_context.h"

namespace pelmora {
namespace {

using Lines = std::vector<std::string>;

TEST(ArraySortString, AscendingCaseAndWidthBlindAndStable) {
    const struct {
        const char* what;
        Lines source, sorted;
    } cases[] = {
        {"empty", {}, {}},
        {"one", {"x"}, {"x"}},
        {"case-insensitive", {"b", "B2", "a", "A1"}, {"a", "A1", "b", "B2"}},
        // Equal in collation: the source order stays.
        {"case ties", {"abc", "ABC", "Abc"}, {"abc", "ABC", "Abc"}},
        {"case ties reversed", {"Abc", "abc", "ABC"}, {"Abc", "abc", "ABC"}},
        {"dropped folders", {"/d/z", "/d/Z", "/d/a"}, {"/d/a", "/d/z", "/d/Z"}},
        {"byte-equal keep their order", {"b", "a", "b", "a"}, {"a", "a", "b", "b"}},
        {"widths and kana", {"ﾃｽﾄ2", "テスト1", "てすと3", "ＡＢ", "ab"}, {"ＡＢ", "ab", "テスト1", "ﾃｽﾄ2", "てすと3"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Lines destination = {"stale"};
        EXPECT_EQ(ArraySortString(c.source, destination, nullptr), 0);
        EXPECT_EQ(destination, c.sorted);
    }
}

// Names that are not UTF-8 (possible on POSIX only) are kept and placed as U+FFFD collates.
TEST(ArraySortString, InvalidUtf8IsKept) {
    Lines destination;
    EXPECT_EQ(ArraySortString({"b\xff", "a\xfe", "a"}, destination, nullptr), 0);
    EXPECT_EQ(destination, (Lines{"a", "a\xfe", "b\xff"}));
}

// Large inputs take the partitioning path of the sort; it must agree with a plain stable
// sort on CompareText, duplicates, shared prefixes and nesting included.
TEST(ArraySortString, AgreesWithAStableSortOnTheComparison) {
    const char* parts[] = {"a", "A", "b", "ｂ", "ア", "あ", "ｱ", ".", "/", " ", "\xff", "txt", "TXT", ""};
    std::mt19937 random(7);
    Lines mixed;
    for (int i = 0; i < 3000; ++i) {
        std::string text = "/home/";
        const int length = static_cast<int>(random() % 6);
        for (int j = 0; j < length; ++j) text += parts[random() % std::size(parts)];
        mixed.push_back(text);
    }
    Lines nested;  // "b", "ab", "aab", ... and their upper-case twins
    for (int i = 0; i < 600; ++i) {
        nested.push_back(std::string(i, 'a') + "b");
        nested.push_back(std::string(i, 'A') + "B");
    }
    std::shuffle(nested.begin(), nested.end(), random);
    for (const Lines* source : {&mixed, &nested}) {
        Lines expected = *source;
        std::stable_sort(expected.begin(), expected.end(),
                         [](const std::string& x, const std::string& y) { return CompareText(x, y) < 0; });
        Lines destination;
        ArraySortString(*source, destination, nullptr);
        EXPECT_EQ(destination, expected);

        // Equal keys keep their collection order, seen through the lines beside them.
        std::vector<FormattedEntry> entries, expectedEntries;
        for (std::size_t i = 0; i < source->size(); ++i) entries.push_back({(*source)[i], std::to_string(i), true});
        expectedEntries = entries;
        std::stable_sort(expectedEntries.begin(), expectedEntries.end(), [](const auto& x, const auto& y) {
            return CompareText(x.sortKey, y.sortKey) < 0;
        });
        SortEntriesByKey(entries, nullptr);
        ASSERT_EQ(entries.size(), expectedEntries.size());
        for (std::size_t i = 0; i < entries.size(); ++i) EXPECT_EQ(entries[i].line, expectedEntries[i].line) << i;
    }
}

TEST(SortEntriesByKey, OrdersByExtensionThenPathKeepingEqualKeysInPlace) {
    std::vector<FormattedEntry> entries = {
        {"exe/d/app.exe", "app", true}, {"TXT/d/Note.TXT", "Note", true}, {"txt/d/b.txt", "b", true},
        {"   /d/a", "a", true},         {"txt/d/b.txt", "a b again", true}, {"t\r\nx/d/odd.t\r\nx", "odd", true},
    };
    SortEntriesByKey(entries, nullptr);
    Lines lines;
    for (const auto& e : entries) lines.push_back(e.line);
    // Equal keys keep their collection order whatever their lines; a line break inside a
    // key neither splits the entry nor moves it out of its place.
    EXPECT_EQ(lines, (Lines{"a", "app", "odd", "b", "a b again", "Note"}));

    // Keys equal but for case keep the collection order, in either order.
    for (const bool upperFirst : {true, false}) {
        std::vector<FormattedEntry> pair = {{"txt/d/A.txt", "A.txt", true}, {"TXT/d/a.TXT", "a.TXT", true}};
        if (!upperFirst) std::swap(pair[0], pair[1]);
        const std::string first = pair[0].line;
        SortEntriesByKey(pair, nullptr);
        EXPECT_EQ(pair[0].line, first);
    }
}

Lines NumberedLines(int count) {
    Lines lines;
    for (int i = count; i > 0; --i) lines.push_back("line" + std::to_string(i));
    return lines;
}

TEST(ArraySortString, ReportsProgressInHundredsWhenTheDialogIsOpen) {
    testing::FakeJobContext fake;
    fake.progress.open = true;
    fake.cancel.Raise();  // left over from an earlier command: cleared by the sort
    const Lines source = NumberedLines(250);
    Lines destination;
    EXPECT_EQ(ArraySortString(source, destination, &fake.context), 0);
    EXPECT_EQ(destination.front(), "line1");
    EXPECT_EQ(destination.back(), "line99");
    // From the first element to the last one placed; between them whatever the sort had
    // reached at each look, never going back.
    const Lines figures = {"ファイル名を並び替え中(0/250)", "ファイル名を並び替え中(100/250)", "ファイル名を並び替え中(200/250)"};
    const Lines& shown = fake.progress.activities;
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ(shown.front(), figures.front());
    EXPECT_EQ(shown.back(), figures.back());
    auto at = figures.begin();
    for (const std::string& activity : shown) {
        at = std::find(at, figures.end(), activity);
        EXPECT_NE(at, figures.end()) << activity;
    }
    EXPECT_GE(fake.progress.pumps, 2);

    testing::FakeJobContext closed;
    ArraySortString(source, destination, &closed.context);
    EXPECT_TRUE(closed.progress.activities.empty());
    EXPECT_GE(closed.progress.pumps, 1);  // events still run for the cancel button
}

// The sort itself, not only its preparation, lets events run and stops on a cancel. The
// lines are short enough to be copied without allocations, so the source order is put
// back quickly too.
TEST(ArraySortString, CancelDuringALongSortIsSeenAtOnce) {
    const char* words[] = {"写真", "資料", "Data", "notes", "テス", "ｶﾅ", "src", "ＦＵ"};  // at most 6 bytes
    std::mt19937 random(11);
    Lines source;
    source.reserve(1000000);
    for (int i = 0; i < 1000000; ++i) {
        source.push_back(std::string(words[random() % std::size(words)]) + std::to_string(random() % 10000) + "." +
                         (random() % 2 == 0 ? "txt" : "TXT"));
    }
    Lines warmUp;  // the collator's data is loaded once, before any sort
    ArraySortString({"b", "a"}, warmUp, nullptr);

    // Cancelled once the sort has placed some lines, and 150 ms have passed.
    testing::FakeJobContext fake;
    fake.progress.open = true;
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    std::optional<Clock::time_point> raised;
    fake.progress.onPump = [&](int) {
        const bool placedSome = fake.progress.activities.back() != "ファイル名を並び替え中(0/1000000)";
        if (!raised && placedSome && Clock::now() - start >= std::chrono::milliseconds(150)) {
            raised = Clock::now();
            fake.cancel.Raise();
        }
    };
    Lines destination;
    ArraySortString(source, destination, &fake.context);
    const Clock::time_point returned = Clock::now();
    ASSERT_TRUE(raised.has_value()) << "no events ran while the sort worked";
    EXPECT_LT(returned - *raised, std::chrono::milliseconds(100));
    EXPECT_TRUE(destination == source);
}

TEST(ArraySortString, CancelLeavesTheSourceOrder) {
    testing::FakeJobContext fake;
    fake.progress.open = true;
    fake.progress.onPump = [&](int pumps) {
        if (pumps == 2) fake.cancel.Raise();
    };
    const Lines source = NumberedLines(300);
    Lines destination = {"stale"};
    EXPECT_EQ(ArraySortString(source, destination, &fake.context), 0);
    EXPECT_EQ(destination, source);
    EXPECT_TRUE(fake.cancel.IsRaised());

    std::vector<FormattedEntry> entries;
    for (int i = 300; i > 0; --i) entries.push_back({"k" + std::to_string(i), std::to_string(i), true});
    fake.progress.pumps = 0;
    SortEntriesByKey(entries, &fake.context);
    EXPECT_EQ(entries.front().line, "300");
    EXPECT_EQ(entries.back().line, "1");
}

// The recursive listing makes its keys on the walk's threads, each with a maker of its own:
// keys made at the same time on several threads are the keys one thread makes, and their
// byte order, equal keys in index order, is the stable order of CompareText.
TEST(SortOrderOfKeys, KeysMadeOnSeveralThreadsGiveTheComparisonsStableOrder) {
    const char* parts[] = {"a", "A", "b", "ｂ", "ア", "あ", "ｱ", ".", "/", " ", "\xff", "txt", "TXT", "写真", ""};
    std::mt19937 random(5);
    Lines texts;
    for (int i = 0; i < 4000; ++i) {
        std::string text = i % 2 == 0 ? "txt/d/" : "TXT/D/";
        const int length = static_cast<int>(random() % 6);
        for (int j = 0; j < length; ++j) text += parts[random() % std::size(parts)];
        texts.push_back(text);
    }
    std::vector<std::string> keysOf[4];
    std::vector<std::thread> threads;
    for (auto& keys : keysOf) {
        threads.emplace_back([&texts, &keys] {
            OrderKeyMaker maker;
            for (const std::string& text : texts) {
                keys.emplace_back();
                maker.AppendKey(text, keys.back());
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    for (const auto& keys : keysOf) EXPECT_TRUE(keys == keysOf[0]);

    std::vector<std::uint32_t> expected(texts.size());
    for (std::uint32_t i = 0; i < expected.size(); ++i) expected[i] = i;
    std::stable_sort(expected.begin(), expected.end(),
                     [&](std::uint32_t x, std::uint32_t y) { return CompareText(texts[x], texts[y]) < 0; });
    const auto order = SortOrderOfKeys(
        texts.size(), [&](std::size_t i) -> std::string_view { return keysOf[0][i]; }, nullptr);
    ASSERT_TRUE(order.has_value());
    EXPECT_TRUE(*order == expected);
}

// The sort of prepared keys runs beside the window too: a cancel stops it at once and gives
// no order.
TEST(SortOrderOfKeys, CancelDuringALongSortIsSeenAtOnce) {
    std::mt19937 random(3);
    std::string blob;
    std::vector<std::size_t> ends;
    const std::string prefix(120, 'k');  // long shared prefixes, as the paths of one tree have
    for (int i = 0; i < 1000000; ++i) {
        blob += prefix;
        blob += std::to_string(random() % 100000);
        ends.push_back(blob.size());
    }
    const auto keyAt = [&](std::size_t i) -> std::string_view {
        const std::size_t begin = i == 0 ? 0 : ends[i - 1];
        return std::string_view(blob).substr(begin, ends[i] - begin);
    };
    testing::FakeJobContext fake;
    fake.progress.open = true;
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    std::optional<Clock::time_point> raised;
    fake.progress.onPump = [&](int) {
        if (!raised && Clock::now() - start >= std::chrono::milliseconds(50)) {
            raised = Clock::now();
            fake.cancel.Raise();
        }
    };
    const auto order = SortOrderOfKeys(ends.size(), keyAt, &fake.context);
    const Clock::time_point returned = Clock::now();
    ASSERT_TRUE(raised.has_value()) << "no events ran while the sort worked";
    EXPECT_LT(returned - *raised, std::chrono::milliseconds(100));
    EXPECT_FALSE(order.has_value());
}

}  // namespace
}  // namespace pelmora
