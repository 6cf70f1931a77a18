#include "platform/code_pages.h"

#include <gtest/gtest.h>

namespace pelmora::platform {
namespace {

TEST(CodePages, JapaneseAndWesternTextDecodes) {
    EXPECT_EQ(DecodeCodePage("\x93\xFA\x96\x7B\x8C\xEA.txt", CodePage::ShiftJis), "日本語.txt");
    EXPECT_EQ(DecodeCodePage("\xB1\xB2\xB3", CodePage::ShiftJis), "ｱｲｳ");  // half-width katakana
    EXPECT_EQ(DecodeCodePage("\x87\x40", CodePage::ShiftJis), "①");       // a Windows addition
    EXPECT_EQ(DecodeCodePage("\xC6\xFC\xCB\xDC\xB8\xEC", CodePage::EucJp), "日本語");
    EXPECT_EQ(DecodeCodePage("caf\xE9 \x80", CodePage::Windows1252), "café €");
    EXPECT_EQ(DecodeCodePage("", CodePage::ShiftJis), "");
}

TEST(CodePages, BytesOutsideTheCodePageAreRefused) {
    EXPECT_FALSE(DecodeCodePage("a\x93", CodePage::ShiftJis).has_value());       // cut after a lead byte
    EXPECT_FALSE(DecodeCodePage("\x93\x20", CodePage::ShiftJis).has_value());    // no such trail byte
    EXPECT_FALSE(DecodeCodePage("\xC6", CodePage::EucJp).has_value());
    EXPECT_FALSE(DecodeCodePage("\x85\x40", CodePage::ShiftJis).has_value());    // a row left empty
}

}  // namespace
}  // namespace pelmora::platform
