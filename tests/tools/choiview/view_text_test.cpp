#include "tools/choiview/view_text.h"

#include <gtest/gtest.h>
#include <unicode/unistr.h>

#include "i18n/translation.h"
#include "tests/support/temp_tree.h"
#include "tests/tools/choiview/encoded_text.h"
#include "tools/choiview/choiview_texts.h"

namespace pelmora {
namespace {

std::string Utf8(const std::u16string& text) {
    std::string out;
    icu::UnicodeString(text.data(), static_cast<int32_t>(text.size())).toUTF8String(out);
    return out;
}

TEST(ViewText, EncodingsAreToldApartInShortAndLongTexts) {
    using testing::Encoded;
    const std::string ja(testing::kJapaneseSample);
    // A short Japanese line with ASCII around it, and Western texts with accents and quotes.
    const std::string mixed = "README\nversion 1.0 - 日本語の説明\n";
    const std::string western = "The “quick” fox — déjà vu, Señor Müller. Zweite Zeile: äöü ß, 5€.\n";
    const std::string westernShort = "Größe: café";
    const struct {
        std::string text;  // UTF-8
        const char* writtenAs;
        const char* mark;  // written before the text
        const char* detected;
    } cases[] = {
        {ja, "UTF-8", "", "UTF-8"},
        {"日本語", "UTF-8", "", "UTF-8"},
        {ja, "UTF-8", "\xEF\xBB\xBF", "UTF-8"},
        {"日本語", "UTF-8", "\xEF\xBB\xBF", "UTF-8"},
        {ja, "UTF-16LE", "\xFF\xFE", "UTF-16LE"},
        {"日本語", "UTF-16LE", "\xFF\xFE", "UTF-16LE"},
        {ja, "UTF-16BE", "\xFE\xFF", "UTF-16BE"},
        {ja, "windows-31j", "", "windows-31j"},
        {mixed, "windows-31j", "", "windows-31j"},
        // Too short for the detector, which takes them for Western or gives up.
        {"日本語", "windows-31j", "", "windows-31j"},
        {"漢字", "windows-31j", "", "windows-31j"},
        {"テスト", "windows-31j", "", "windows-31j"},
        {"カタカナ", "windows-31j", "", "windows-31j"},
        {ja, "EUC-JP", "", "EUC-JP"},
        {mixed, "EUC-JP", "", "EUC-JP"},
        {"テスト", "EUC-JP", "", "EUC-JP"},
        {"日本語", "EUC-JP", "", "EUC-JP"},
        {"漢字", "EUC-JP", "", "EUC-JP"},
        {ja, "ISO-2022-JP", "", "ISO-2022-JP"},
        {"日本語", "ISO-2022-JP", "", "ISO-2022-JP"},
        // Western texts stay Western, though some of their bytes pair up as CP932 characters.
        {western, "windows-1252", "", "windows-1252"},
        {westernShort, "windows-1252", "", "windows-1252"},
        {"naïve résumé", "windows-1252", "", "windows-1252"},
        {"plain ASCII\n", "UTF-8", "", "UTF-8"},
    };
    for (const auto& c : cases) {
        const std::string bytes = c.mark + Encoded(c.text, c.writtenAs);
        const std::string label = c.text + " as " + c.writtenAs;
        const TextEncoding found = DetectTextEncoding(bytes);
        EXPECT_EQ(found.name, c.detected) << label;
        EXPECT_EQ(found.markLength, std::string_view(c.mark).size()) << label;
        EXPECT_EQ(Utf8(DecodeTextForView(bytes, false)), c.text) << label;
    }
}

TEST(ViewText, LineEndsAndTheCutOfALongText) {
    EXPECT_EQ(Utf8(DecodeTextForView("a\r\nb\nc\rd\r\r\ne\r", false)), "a\nb\nc\nd\n\ne\n");
    // Cut inside a three-byte character: the part is dropped, the note line follows.
    const std::string note = Translated(choiview_texts::kTextCut);
    EXPECT_EQ(Utf8(DecodeTextForView("行一\n行\xE4\xBA", true)), "行一\n行\n" + note);
    EXPECT_EQ(Utf8(DecodeTextForView("line\n", true)), "line\n" + note);

    testing::TempTree tree;
    const std::string path = tree.AddFile("long.txt", "0123456789\r\nabcdef");
    EXPECT_EQ(Utf8(ReadTextForView(path, 12).value()), "0123456789\n" + note);
    EXPECT_EQ(Utf8(ReadTextForView(path, 18).value()), "0123456789\nabcdef");
    EXPECT_EQ(Utf8(ReadTextForView(tree.AddFile("empty.txt"), 12).value()), "");
    EXPECT_FALSE(ReadTextForView(tree / "missing.txt").has_value());
    EXPECT_FALSE(ReadTextForView(tree.path()).has_value());
}

}  // namespace
}  // namespace pelmora
