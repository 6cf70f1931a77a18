#include "listing/text/text_sort_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "listing/text/text_comparison.h"

namespace pelmora {
namespace {

// The sort decides most comparisons from ASCII characters without collation keys; whatever
// mix of texts it gets, its order must be exactly the one CompareText gives, ties in source
// order (and with the byte tie-break, the one CompareTextThenBytes gives). The first pool makes large groups that only case and the byte tie-break tell
// apart; the second has them part where Japanese, widths and accents begin; the third
// meets ASCII with controls, broken UTF-8 and contractions at every kind of boundary.
TEST(TextCollation, SortOrderIsTheComparisonOrder) {
    const std::vector<std::vector<std::string>> pools = {
        {"a", "A", "b", "B", ".", "/", "txt", "TXT", "Tx", "_"},
        {"a", "A", "b", "/", "あ", "ア", "ｱ", "漢", "é", "e\xcc\x81", "ｂ"},
        {"a", "A", "b", "B", "z", "0", "9", " ", "-", "_", ".", "/", "~", "'", "\"", "txt", "TXT", "tx",
         "ｔ", "Ａ", "あ", "ア", "ｱ", "漢", "ー", "e\xcc\x81", "\xcc\x81", "\t", "\x01", "\xff", "\xe3\x81", "é",
         "l\xc2\xb7"},
    };
    std::mt19937 random(20261207);
    for (const auto& pieces : pools) {
        std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
        std::uniform_int_distribution<int> length(0, 6);
        std::vector<std::string> texts = {"", "", "same", "same"};
        for (int i = 0; i < 3000; ++i) {
            // The second pool's texts all share a folder, as listed paths do.
            const int folder = &pieces == &pools[1] ? i % 2 : i % 3;
            std::string text = folder == 0 ? "folder/sub/" : folder == 1 ? "Folder/SUB/" : "";
            for (int n = length(random); n > 0; --n) text += pieces[pick(random)];
            texts.push_back(text);
        }
        const std::vector<std::string_view> views(texts.begin(), texts.end());
        std::vector<std::uint32_t> expected(texts.size());
        for (std::uint32_t i = 0; i < expected.size(); ++i) expected[i] = i;
        std::vector<std::uint32_t> expectedThenBytes = expected;
        std::stable_sort(expected.begin(), expected.end(),
                         [&](std::uint32_t a, std::uint32_t b) { return CompareText(texts[a], texts[b]) < 0; });
        std::stable_sort(expectedThenBytes.begin(), expectedThenBytes.end(), [&](std::uint32_t a, std::uint32_t b) {
            return CompareTextThenBytes(texts[a], texts[b]) < 0;
        });
        EXPECT_EQ(TextSortOrder(views), expected);
        EXPECT_EQ(TextSortOrderThenBytes(views), expectedThenBytes);
    }
}

}  // namespace
}  // namespace pelmora
