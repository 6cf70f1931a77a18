#pragma once
// The hex dump of the first bytes of a file: per 16 bytes one line of offset, ": ", the
// bytes in hexadecimal, padding to a fixed column, the bytes as characters, CR LF.

#include <cstddef>
#include <cstdint>
#include <string>

namespace pelmora {

// The dump of the first count bytes of the file at path (fewer when the file is shorter);
// the empty text for an empty file; "読み取りに失敗しました" when the path is not a
// regular file or cannot be read. Only those bytes are read from disk.
std::string HexDumpText(const std::string& path, std::int64_t count);

// The dump of bytes already in memory, firstOffset being the offset of data[0].
std::string HexDumpOfBytes(const unsigned char* data, std::size_t size, std::uint64_t firstOffset = 0);

}  // namespace pelmora
