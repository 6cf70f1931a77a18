// HexView's dump of any bytes: one CR LF line per 16 bytes, and the hex digits give the
// bytes back.

#include <string>

#include "tests/fuzz/fuzz_check.h"
#include "tools/hexview/hex_dump_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint64_t firstOffset = static_cast<std::uint64_t>(data[0]) << 8;
    const std::string dump = pelmora::HexDumpOfBytes(data + 1, size - 1, firstOffset);
    std::string bytes;
    std::size_t lines = 0;
    for (std::size_t start = 0; start < dump.size();) {
        const std::size_t end = dump.find("\r\n", start);
        PELMORA_FUZZ_CHECK(end != std::string::npos);
        const std::string line = dump.substr(start, end - start);
        const std::size_t colon = line.find(": ");
        PELMORA_FUZZ_CHECK(colon != std::string::npos && colon >= 4);
        PELMORA_FUZZ_CHECK(std::stoull(line.substr(0, colon), nullptr, 16) == firstOffset + 16 * lines);
        for (std::size_t at = colon + 2; at + 2 < line.size() && line[at] != ' '; at += 3) {
            bytes += static_cast<char>(std::stoi(line.substr(at, 2), nullptr, 16));
        }
        ++lines;
        start = end + 2;
    }
    PELMORA_FUZZ_CHECK(lines == (size - 1 + 15) / 16);
    PELMORA_FUZZ_CHECK(bytes == std::string(reinterpret_cast<const char*>(data + 1), size - 1));
    return 0;
}
