#include "tools/choiview/text_word.h"

#include <gtest/gtest.h>

#include <string>

namespace pelmora {
namespace {

TEST(TextWord, ADoubleClickTakesTheRunOfOneKindOfCharacter) {
    const struct {
        std::u16string line;
        std::size_t at;
        std::u16string word;
    } cases[] = {
        {u"hello world", 1, u"hello"},
        {u"hello world", 5, u" "},
        {u"hello   world", 10, u"world"},
        {u"file_name2.txt", 0, u"file_name2"},
        {u"file_name2.txt", 10, u"."},
        {u"file_name2.txt", 12, u"txt"},
        {u"déjà-vu", 2, u"déjà"},
        // Japanese splits where the kind of script changes.
        {u"日本語のテキストです。", 1, u"日本語"},
        {u"日本語のテキストです。", 3, u"の"},
        {u"日本語のテキストです。", 6, u"テキスト"},
        {u"日本語のテキストです。", 8, u"です"},
        {u"日本語のテキストです。", 10, u"。"},
        {u"人々のデータベース", 0, u"人々"},
        {u"ﾃｷｽﾄ abc", 2, u"ﾃｷｽﾄ"},
        {u"ＡＢＣ１２３　次", 4, u"ＡＢＣ１２３"},
        {u"ＡＢＣ１２３　次", 6, u"　"},
        {u"ｶﾀｶﾅと𠮷野家", 5, u"𠮷野家"},
        // Past the end of the line: its last run.
        {u"2026/12/08 size", 40, u"size"},
    };
    for (const auto& c : cases) {
        const WordSpan span = WordAround(c.line, c.at);
        ASSERT_LE(span.end, c.line.size());
        EXPECT_EQ(c.line.substr(span.begin, span.end - span.begin), c.word)
            << "case " << (&c - cases) << ", at " << c.at;
    }
    EXPECT_EQ(WordAround(u"", 3), (WordSpan{0, 0}));
}

}  // namespace
}  // namespace pelmora
