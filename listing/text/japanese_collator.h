#pragma once
// The collator behind the program's text order: ICU's "ja" collation at secondary strength,
// so case, full/half width and hiragana/katakana do not count.

#include <unicode/ucol.h>

#include <string_view>
#include <vector>

namespace pelmora {

// Opened once per process; null when ICU has no collation data (the order then falls back
// to plain bytes).
const UCollator* JapaneseCollator();

// UTF-8 to UTF-16 with every ill-formed sequence replaced by U+FFFD.
void ToUtf16(std::string_view text, std::vector<UChar>& out);

}  // namespace pelmora
