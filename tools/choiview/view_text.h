#pragma once
// A text file as ChoiView shows it: its encoding told from a byte-order mark, from being
// valid UTF-8, or else by a charset detector (Japanese and Western texts; where it guesses a
// Western code page or nothing, a clean CP932 or EUC-JP reading wins), decoded to UTF-16
// with every CR LF, LF and CR made one line end ("\n").

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace pelmora {

// A longer text shows its first this many bytes and one last line saying the rest is not shown.
inline constexpr std::size_t kViewTextLimit = std::size_t{64} << 20;

// The name of the encoding the ICU converter reads the bytes with ("UTF-8", "UTF-16LE",
// "UTF-16BE", "windows-31j", "EUC-JP", "ISO-2022-JP", "windows-1252", ...), and the length of
// the byte-order mark that starts them (0 without one).
struct TextEncoding {
    std::string name;
    std::size_t markLength = 0;
};
TextEncoding DetectTextEncoding(std::string_view bytes);

// The bytes decoded and with their line ends made "\n". cut: the bytes are the head of a longer
// text; a character cut in two at the end is dropped and the line of choiview_texts::kTextCut
// follows.
std::u16string DecodeTextForView(std::string_view bytes, bool cut);

// The file's first `limit` bytes, decoded. Nothing when it cannot be read.
std::optional<std::u16string> ReadTextForView(const std::string& path, std::size_t limit = kViewTextLimit);

}  // namespace pelmora
