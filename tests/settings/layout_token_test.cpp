#include "settings/layout_token.h"

#include <gtest/gtest.h>

namespace {

using pelmora::CanonicalizeLayoutToken;

TEST(LayoutToken, AcceptedSpellingsBecomeCanonical) {
    for (const char* tab : {"<tab>", "<taB>", "<tAb>", "<Tab>", "<TaB>", "<TAb>", "<TAB>", "  <Tab>  "}) {
        EXPECT_EQ(CanonicalizeLayoutToken(tab), "<TAB>") << tab;
    }
    for (const char* crlf : {"<crlf>", "<crlF>", "<crLf>", "<cRlf>", "<Crlf>", "<CrlF>", "<CrLf>", "<CRlf>", "<CRlF>",
                             "<CRLf>", "< CRLF >", "<CRLF>", " < CRLF > "}) {
        EXPECT_EQ(CanonicalizeLayoutToken(crlf), "<CRLF>") << crlf;
    }
}

TEST(LayoutToken, EverythingElseStaysAsTypedButTrimmed) {
    struct Case {
        const char* input;
        const char* expected;
    } cases[] = {
        {"", ""},
        {"   ", ""},
        {"\"", "\""},
        {" , ", ","},
        {"<tAB>", "<tAB>"},          // a mixture of capitals outside the list
        {"<cRLF>", "<cRLF>"},
        {"<crLF>", "<crLF>"},
        {"< crlf >", "< crlf >"},    // only the upper-case spaced spelling is accepted
        {"<TAB><TAB>", "<TAB><TAB>"},
        {"x<tab>", "x<tab>"},        // a token inside longer text is left alone
        {"<tab> ;", "<tab> ;"},
        {"\t<TAB>\t", "\t<TAB>\t"},  // only spaces are trimmed
        {"<ＴＡＢ>", "<ＴＡＢ>"},
    };
    for (const auto& c : cases) EXPECT_EQ(CanonicalizeLayoutToken(c.input), c.expected) << c.input;
}

}  // namespace
