#pragma once
// The program's text order: ascending, case-insensitive and, as under the Japanese locale,
// blind to full/half width and to hiragana/katakana (ICU's "ja" collation at secondary
// strength). Texts equal in that order are ordered by their bytes, so the order is total
// and a stable sort never depends on anything but the texts. Bytes that are not UTF-8
// are kept: they collate as U+FFFD and are told apart by the byte tie-break.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pelmora {

// Negative, zero or positive as a sorts before, with or after b. Zero only for equal bytes.
int CompareText(std::string_view a, std::string_view b);

// Sort keys for ordering many texts: the key of each text is made once and keys compare
// bytewise (std::string's operator<) in the order CompareText gives. One maker reuses its
// buffers across calls; it is not meant to be shared between threads.
// The indexes of texts in CompareText's order; byte-equal texts keep their source order.
// The collator's own data is checked once to prove that for ASCII letters, digits and
// punctuation its order is the order of their weights, one character at a time; texts are
// then sorted a position at a time on those weights, and collation keys are made only for
// groups where other characters begin, and only of the texts' remaining parts.
std::vector<std::uint32_t> TextSortOrder(const std::vector<std::string_view>& texts);

class TextSortKeyMaker {
public:
    TextSortKeyMaker();
    ~TextSortKeyMaker();
    TextSortKeyMaker(const TextSortKeyMaker&) = delete;
    TextSortKeyMaker& operator=(const TextSortKeyMaker&) = delete;

    // Appends the key of text to out (out is not cleared).
    void AppendKey(std::string_view text, std::string& out);
    std::string Key(std::string_view text);

private:
    struct Buffers;
    std::unique_ptr<Buffers> buffers_;
};

}  // namespace pelmora
