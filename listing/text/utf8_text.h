#pragma once
// Telling well-formed UTF-8 from other bytes; names that are not UTF-8 are kept as bytes.

#include <cstddef>
#include <string_view>

namespace pelmora {

// The length of the well-formed UTF-8 sequence starting at text[at] (at < text.size()),
// or 0 when the bytes there are not one (overlong forms and surrogates included).
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at);

bool IsValidUtf8(std::string_view text);

}  // namespace pelmora
