#include "listing/text/text_comparison.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "listing/text/collation_keys.h"

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

}  // namespace
}  // namespace pelmora
