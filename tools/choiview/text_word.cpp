#include "tools/choiview/text_word.h"

#include <unicode/uchar.h>

namespace pelmora {

namespace {

enum class CharKind { Space, Letters, Kanji, Hiragana, Katakana, Other };

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

CharKind KindOf(char16_t c) {
    if (c == u' ' || c == u'\t' || c == 0x3000) return CharKind::Space;
    if (c >= 0x3041 && c <= 0x309F) return CharKind::Hiragana;
    // The long vowel mark (ー) is katakana's, and half-width katakana read as katakana.
    if ((c >= 0x30A0 && c <= 0x30FF) || (c >= 0x31F0 && c <= 0x31FF) || (c >= 0xFF66 && c <= 0xFF9F))
        return CharKind::Katakana;
    // The iteration and closing marks (々, 〆) belong with the kanji they follow; characters
    // outside the basic plane are almost always kanji in Japanese text.
    if ((c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) || (c >= 0xF900 && c <= 0xFAFF) || c == 0x3005 ||
        c == 0x3006 || IsHighSurrogate(c) || IsLowSurrogate(c))
        return CharKind::Kanji;
    if (c == u'_' || u_isalnum(c)) return CharKind::Letters;
    return CharKind::Other;
}

}  // namespace

WordSpan WordAround(std::u16string_view line, std::size_t at) {
    if (line.empty()) return {};
    if (at >= line.size()) at = line.size() - 1;
    const CharKind kind = KindOf(line[at]);
    if (kind == CharKind::Other) return {at, at + 1};
    std::size_t begin = at;
    while (begin > 0 && KindOf(line[begin - 1]) == kind) --begin;
    std::size_t end = at + 1;
    while (end < line.size() && KindOf(line[end]) == kind) ++end;
    return {begin, end};
}

}  // namespace pelmora
