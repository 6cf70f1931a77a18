#pragma once
// The test that admits files of other extensions to ChoiView's text view.

#include <cstdint>
#include <string>

namespace pelmora {

// True when one of the first checkSize bytes of the file is NUL, and when the file cannot
// be read, is empty or is no regular file (a FIFO or device is refused before a read could
// block).
bool IsBinaryFile(const std::string& path, std::int64_t checkSize);

}  // namespace pelmora
