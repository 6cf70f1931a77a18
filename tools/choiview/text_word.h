#pragma once
// The word a double click in ChoiView's text view selects: a run of characters of one kind.
// Japanese has no spaces between words, so kanji, hiragana and katakana each make runs of
// their own, which is how "日本語のテキスト" falls apart into 日本語, の and テキスト.

#include <cstddef>
#include <string_view>

namespace pelmora {

struct WordSpan {
    std::size_t begin = 0;
    std::size_t end = 0;  // one past the last UTF-16 unit

    bool operator==(const WordSpan&) const = default;
};

// The run around the character at `at` in one line of text (no line end in it). Past the
// end of the line: the line's last run. A punctuation mark or symbol is a run by itself.
WordSpan WordAround(std::u16string_view line, std::size_t at);

}  // namespace pelmora
