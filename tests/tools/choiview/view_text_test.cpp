#include "tools/choiview/view_text.h"

#include <gtest/gtest.h>
#include <unicode/unistr.h>

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

TEST(ViewText, EncodingsAreToldApart) {
    using testing::Encoded;
    const std::string_view ja = testing::kJapaneseSample;
    // A short Japanese line with ASCII around it, and a Western text with accents and quotes.
    const std::string mixed = "README\nversion 1.0 - 日本語の説明\n";
    const std::string western = "The “quick” fox — déjà vu, Señor Müller. Zweite Zeile: äöü ß, 5€.\n";
    const struct {
        std::string bytes;
        const char* name;
        std::size_t mark;
    } cases[] = {
        {std::string(ja), "UTF-8", 0},
        {"\xEF\xBB\xBF" + std::string(ja), "UTF-8", 3},
        {"\xFF\xFE" + Encoded(ja, "UTF-16LE"), "UTF-16LE", 2},
        {"\xFE\xFF" + Encoded(ja, "UTF-16BE"), "UTF-16BE", 2},
        {Encoded(ja, "windows-31j"), "windows-31j", 0},
        {Encoded(mixed, "windows-31j"), "windows-31j", 0},
        {Encoded(ja, "EUC-JP"), "EUC-JP", 0},
        {Encoded(mixed, "EUC-JP"), "EUC-JP", 0},
        {Encoded(ja, "ISO-2022-JP"), "ISO-2022-JP", 0},
        {Encoded(western, "windows-1252"), "windows-1252", 0},
        {"plain ASCII\n", "UTF-8", 0},
    };
    for (const auto& c : cases) {
        const TextEncoding found = DetectTextEncoding(c.bytes);
        EXPECT_EQ(found.name, c.name) << c.name;
        EXPECT_EQ(found.markLength, c.mark) << c.name;
    }
    EXPECT_EQ(Utf8(DecodeTextForView(Encoded(western, "windows-1252"), false)), western);
    EXPECT_EQ(Utf8(DecodeTextForView(Encoded(mixed, "EUC-JP"), false)), mixed);
}

TEST(ViewText, LineEndsAndTheCutOfALongText) {
    EXPECT_EQ(Utf8(DecodeTextForView("a\r\nb\nc\rd\r\r\ne\r", false)), "a\nb\nc\nd\n\ne\n");
    // Cut inside a three-byte character: the part is dropped, the note line follows.
    const std::string note = choiview_texts::kTextCut;
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
