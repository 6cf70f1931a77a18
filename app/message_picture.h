#pragma once
// The built-in picture written to Message1.jpg when that file is missing.

#include <cstddef>
#include <string_view>

namespace pelmora {

inline constexpr std::size_t kMessagePictureSize = 1936;

// The JPEG bytes, exactly kMessagePictureSize of them.
std::string_view MessagePictureBytes();

}  // namespace pelmora
