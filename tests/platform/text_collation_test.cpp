#include "platform/text_collation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pelmora::platform {
namespace {

int Sign(int value) { return (value > 0) - (value < 0); }

std::string KeyOf(CollationKeyMaker& maker, const std::string& text) {
    std::string key = "#";  // keys are appended, never written over
    maker.AppendKey(text, key);
    EXPECT_EQ(key[0], '#');
    return key.substr(1);
}

const std::vector<std::string> kTexts = {
    "", "a", "A", "b", "apple", "Banana", "file2", "file10", "co-op", "coop", "it's", "its", "a b", "a_b",
    "ＡＢＣ", "abc", "ｶﾀｶﾅ", "カタカナ", "ひらがな", "ヒラガナ", "á", "日本語", "日本", "x\xff", "x\xfe", "~", "{", "0",
};

// Keys must order texts exactly as the comparison does, whichever collator made them: the
// sorts of big lists use keys, small ones the comparison.
TEST(SystemCollation, KeysOrderAsTheComparisonDoes) {
    ASSERT_TRUE(TextCollationAvailable());
    CollationKeyMaker shared;
    CollationKeyMaker own(CollationKeyMaker::Collator::OwnCopy);
    for (const auto& a : kTexts) {
        const std::string keyA = KeyOf(shared, a);
        EXPECT_EQ(keyA, KeyOf(own, a));
        EXPECT_EQ(keyA.find('\0'), std::string::npos) << a;
        for (const auto& b : kTexts) {
            SCOPED_TRACE(a + " | " + b);
            const int compared = Sign(CollateText(a, b));
            EXPECT_EQ(compared, -Sign(CollateText(b, a)));
            EXPECT_EQ(compared, Sign(keyA.compare(KeyOf(shared, b))));
        }
    }
}

TEST(SystemCollation, CaseWidthAndKanaTypeDoNotCountAccentsDo) {
    EXPECT_EQ(CollateText("Note.TXT", "note.txt"), 0);
    EXPECT_EQ(CollateText("ＡＢＣ", "abc"), 0);
    EXPECT_EQ(CollateText("ｶﾀｶﾅ", "カタカナ"), 0);
    EXPECT_EQ(CollateText("ひらがな", "ヒラガナ"), 0);
    EXPECT_LT(CollateText("a", "á"), 0);
    EXPECT_LT(CollateText("apple", "Banana"), 0);
    EXPECT_GT(CollateText("file2", "file10"), 0);  // no numeric order
    EXPECT_LT(CollateText("日本", "日本語"), 0);
}

// Where the ranks are offered, they must agree with the comparison one character at a time.
TEST(SystemCollation, AsciiRanksAgreeWithTheComparison) {
    const AsciiRanks ranks = CollationAsciiRanks();
    if (!ranks.usable) {
        for (const unsigned char rank : ranks.rank) EXPECT_EQ(rank, 0);
        return;
    }
    for (int a = 0x20; a <= 0x7E; ++a) {
        for (int b = 0x20; b <= 0x7E; ++b) {
            const std::string textA(1, static_cast<char>(a)), textB(1, static_cast<char>(b));
            ASSERT_NE(ranks.rank[a], 0);
            EXPECT_EQ(Sign(ranks.rank[a] - ranks.rank[b]), Sign(CollateText(textA, textB))) << textA << textB;
        }
    }
}

}  // namespace
}  // namespace pelmora::platform
