// The UTF-8 / UTF-16 boundary of the Win32 layer: names must lead back to the same file.
#include "platform/win32/wide_path_win32.h"

#include <gtest/gtest.h>

namespace pelmora::platform::win32 {
namespace {

TEST(WidePath, JapaneseAndAstralNamesRoundTrip) {
    for (const std::string& name : {std::string("日本語のファイル.txt"), std::string("\xF0\x9F\x98\x80 emoji"),
                                   std::string("plain ascii"), std::string()}) {
        EXPECT_EQ(Utf8FromWide(WideFromUtf8(name)), name) << name;
    }
    EXPECT_EQ(WideFromUtf8("\xF0\x9F\x98\x80"), std::wstring(L"\xD83D\xDE00"));
}

TEST(WidePath, LoneSurrogateSurvivesAsWtf8) {
    // Windows allows unpaired surrogates in names; they must come back to the same UTF-16.
    const std::wstring lone = L"a\xD800z";
    const std::string wtf8 = Utf8FromWide(lone);
    EXPECT_EQ(wtf8, "a\xED\xA0\x80z");
    EXPECT_EQ(WideFromUtf8(wtf8), lone);
}

TEST(WidePath, InvalidUtf8BecomesReplacementCharacters) {
    EXPECT_EQ(WideFromUtf8("a\xFF" "b"), std::wstring(L"a\xFFFD" L"b"));
    EXPECT_EQ(WideFromUtf8("\xE3\x81"), std::wstring(L"\xFFFD\xFFFD"));  // cut short
    EXPECT_EQ(WideFromUtf8("\xC0\xAF"), std::wstring(L"\xFFFD\xFFFD"));  // overlong "/"
}

TEST(WidePath, LongPathsTakeTheExtendedPrefix) {
    EXPECT_EQ(WidePath("C:/Users/a.txt"), L"C:\\Users\\a.txt");
    EXPECT_EQ(WidePath("relative\\name"), L"relative\\name");

    const std::string deep = "C:\\" + std::string(300, 'x');
    EXPECT_EQ(WidePath(deep), L"\\\\?\\" + WideFromUtf8(deep));
    const std::string share = "\\\\server\\share\\" + std::string(300, 'y');
    EXPECT_EQ(WidePath(share), L"\\\\?\\UNC\\server\\share\\" + std::wstring(300, L'y'));
    // Already prefixed, or relative (which cannot take the prefix): left as it is.
    const std::wstring prefixed = L"\\\\?\\" + WideFromUtf8(deep);
    EXPECT_EQ(WidePath(Utf8FromWide(prefixed)), prefixed);
    EXPECT_EQ(WidePath(std::string(300, 'z')), std::wstring(300, L'z'));
}

}  // namespace
}  // namespace pelmora::platform::win32
