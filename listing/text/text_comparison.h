#pragma once
// The program's text order: ascending, case-insensitive and, as under the Japanese locale,
// blind to full/half width and to hiragana/katakana (ICU's "ja" collation at secondary
// strength). Texts equal in that order are ordered by their bytes, so the order is total
// and a stable sort never depends on anything but the texts. Bytes that are not UTF-8
// are kept: they collate as U+FFFD and are told apart by the byte tie-break.

#include <string_view>

namespace pelmora {

// Negative, zero or positive as a sorts before, with or after b. Zero only for equal bytes.
int CompareText(std::string_view a, std::string_view b);

}  // namespace pelmora
