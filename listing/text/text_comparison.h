#pragma once
// The program's text order: ascending, case-insensitive and, as under the Japanese locale,
// blind to full/half width and to hiragana/katakana: the system's collation
// (platform/text_collation.h). Bytes that are not UTF-8 are kept: they collate as U+FFFD.

#include <string_view>

namespace pelmora {

// Negative, zero or positive as a sorts before, with or after b. Zero for texts the order
// sees as equal ("A.txt" and "a.TXT"): a stable sort keeps them in their source order.
int CompareText(std::string_view a, std::string_view b);

// The same order made total: texts equal in it are ordered by their bytes, for lists whose
// source order means nothing (names as a folder read gives them). Zero only for equal bytes.
int CompareTextThenBytes(std::string_view a, std::string_view b);

}  // namespace pelmora
