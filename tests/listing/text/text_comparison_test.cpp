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

// Each pair is checked through both comparisons and through sort keys, in both directions.
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
        const int total = Sign(CompareTextThenBytes(c.a, c.b));
        EXPECT_EQ(compared, -Sign(CompareText(c.b, c.a)));
        EXPECT_EQ(total, -Sign(CompareTextThenBytes(c.b, c.a)));
        EXPECT_EQ(total, Sign(maker.Key(c.a).compare(maker.Key(c.b))));
        EXPECT_EQ(compared, c.collated);
        // Equal in collation, yet the total order tells them apart: the bytes decide.
        EXPECT_EQ(total, c.collated != 0 ? c.collated : Sign(c.a.compare(c.b)));
    }
}

TEST(TextCollation, InvalidUtf8IsKeptAndOrderedTotally) {
    const std::vector<std::string> texts = {"x\xff", "x\xfe", "x\x80\x80", "x", "X", "x\xff\xff", "\xc3", "y"};
    TextSortKeyMaker maker;
    for (const auto& a : texts) {
        for (const auto& b : texts) {
            SCOPED_TRACE(a + " | " + b);
            const int compared = Sign(CompareTextThenBytes(a, b));
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
