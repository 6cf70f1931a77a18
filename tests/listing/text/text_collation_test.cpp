#include "listing/text/text_collation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace pelmora {
namespace {

int Sign(int value) { return (value > 0) - (value < 0); }

struct OrderCase {
    std::string a, b;
    int collated;  // sign of the collation alone, before the byte tie-break
};

// Each pair is checked both through CompareText and through sort keys, in both directions.
TEST(TextCollation, OrdersAsTheJapaneseLocaleDoes) {
    const OrderCase cases[] = {
        {"apple", "Banana", -1},
        {"ABC", "abc", 0},
        {"Note.TXT", "note.txt", 0},
        {"ＡＢＣ", "abc", 0},       // full width
        {"ｶﾀｶﾅ", "カタカナ", 0},     // half-width katakana
        {"ひらがな", "ヒラガナ", 0},  // hiragana and katakana
        {"a", "b", -1},
        {"", "a", -1},
        {"   /x", "txt/x", -1},     // spaces sort before letters
        {"a", "á", -1},             // accents still count
        {"file2", "file10", 1},     // no numeric ordering
    };
    TextSortKeyMaker maker;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.a + " | " + c.b);
        const int compared = Sign(CompareText(c.a, c.b));
        const int reversed = Sign(CompareText(c.b, c.a));
        const std::string keyA = maker.Key(c.a);
        const std::string keyB = maker.Key(c.b);
        const int byKeys = Sign(keyA.compare(keyB));
        EXPECT_EQ(compared, -reversed);
        EXPECT_EQ(compared, byKeys);
        if (c.collated != 0) {
            EXPECT_EQ(compared, c.collated);
        } else if (c.a != c.b) {
            // Equal in collation, yet the order is total: the bytes decide.
            EXPECT_NE(compared, 0);
            EXPECT_EQ(compared, Sign(c.a.compare(c.b)));
        }
    }
}

TEST(TextCollation, InvalidUtf8IsKeptAndOrderedTotally) {
    const std::vector<std::string> texts = {"x\xff", "x\xfe", "x\x80\x80", "x", "X", "x\xff\xff", "\xc3", "y"};
    TextSortKeyMaker maker;
    for (const auto& a : texts) {
        for (const auto& b : texts) {
            SCOPED_TRACE(a + " | " + b);
            const int compared = Sign(CompareText(a, b));
            EXPECT_EQ(compared == 0, a == b);
            EXPECT_EQ(compared, Sign(maker.Key(a).compare(maker.Key(b))));
        }
    }
    // The key ends with the text's own bytes, whatever they are.
    const std::string key = maker.Key("n\xff\x01");
    EXPECT_EQ(key.substr(key.size() - 3), "n\xff\x01");
}

// The sort decides most comparisons from ASCII characters without collation keys; whatever
// mix of texts it gets, its order must be exactly the one CompareText gives, ties in source
// order. The first pool makes large groups that only case and the byte tie-break tell
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
        const std::vector<std::uint32_t> order = TextSortOrder(views);
        std::vector<std::uint32_t> expected(texts.size());
        for (std::uint32_t i = 0; i < expected.size(); ++i) expected[i] = i;
        std::stable_sort(expected.begin(), expected.end(),
                         [&](std::uint32_t a, std::uint32_t b) { return CompareText(texts[a], texts[b]) < 0; });
        EXPECT_EQ(order, expected);
    }
}

}  // namespace
}  // namespace pelmora
