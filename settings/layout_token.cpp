#include "settings/layout_token.h"

#include <algorithm>
#include <array>

#include "settings/trim_spaces.h"

namespace pelmora {

namespace {

// Only these spellings are recognised; users' files were written against exactly this list,
// so "<tAB>" for example has always meant the literal text.
constexpr std::array<std::string_view, 7> kTabSpellings = {"<tab>", "<taB>", "<tAb>", "<Tab>",
                                                            "<TaB>", "<TAb>", "<TAB>"};
constexpr std::array<std::string_view, 12> kCrLfSpellings = {"<crlf>", "<crlF>", "<crLf>", "<cRlf>",
                                                              "<Crlf>", "<CrlF>", "<CrLf>", "<CRlf>",
                                                              "<CRlF>", "<CRLf>", "< CRLF >", "<CRLF>"};

template <std::size_t N>
bool IsOneOf(std::string_view text, const std::array<std::string_view, N>& spellings) {
    return std::find(spellings.begin(), spellings.end(), text) != spellings.end();
}

}  // namespace

std::string CanonicalizeLayoutToken(std::string_view text) {
    const std::string_view trimmed = TrimSpaces(text);
    if (IsOneOf(trimmed, kTabSpellings)) return std::string(kTabToken);
    if (IsOneOf(trimmed, kCrLfSpellings)) return std::string(kCrLfToken);
    return std::string(trimmed);
}

}  // namespace pelmora
