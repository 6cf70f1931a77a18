#include "tools/hexview/hex_dump_text.h"

#include <algorithm>
#include <memory>
#include <system_error>
#include <vector>

#include "i18n/translation.h"
#include "platform/file_system_service.h"
#include "tools/hexview/hexview_texts.h"

namespace pelmora {
namespace {

constexpr std::size_t kBytesPerLine = 16;
// Byte part and the gap behind it together: the character column starts at one place.
constexpr std::size_t kByteColumnWidth = 52;
constexpr char kHexDigits[] = "0123456789ABCDEF";

void AppendOffset(std::string& out, std::uint64_t offset) {
    char digits[16];
    int n = 0;
    do {
        digits[n++] = kHexDigits[offset & 0xF];
        offset >>= 4;
    } while (offset != 0);
    while (n < 4) digits[n++] = '0';
    while (n > 0) out += digits[--n];
}

char ColumnCharacter(unsigned char byte) { return byte >= 0x21 && byte <= 0x7F ? static_cast<char>(byte) : '.'; }

// Reads up to count bytes from the start of a regular file. False when the file cannot
// be opened or read; a FIFO or device is refused before it could block or never end.
bool ReadFirstBytes(const std::string& path, std::int64_t count, std::vector<unsigned char>& bytes) {
    std::error_code error;
    const std::unique_ptr<platform::ReadableFile> file = platform::FileSystemFor(path).OpenFileForReading(path, error);
    if (!file) return false;
    const std::size_t wanted = count > 0 ? static_cast<std::size_t>(count) : 0;
    // The size is only a hint: the file may change while it is read.
    bytes.resize(static_cast<std::size_t>(std::min<std::uint64_t>(wanted, file->Size())));
    std::size_t have = 0;
    bool atEnd = false;
    for (;;) {
        while (have < bytes.size() && !atEnd) {
            std::size_t got = 0;
            if (!file->Read(bytes.data() + have, bytes.size() - have, got)) return false;
            atEnd = got == 0;
            have += got;
        }
        if (have < bytes.size() || have == wanted || atEnd) break;
        bytes.resize(std::min(wanted, bytes.size() * 2 + 1));  // the file grew since its size was taken
    }
    bytes.resize(have);
    return true;
}

}  // namespace

std::string HexDumpOfBytes(const unsigned char* data, std::size_t size, std::uint64_t firstOffset) {
    std::string out;
    out.reserve((size / kBytesPerLine + 1) * (8 + kByteColumnWidth + kBytesPerLine + 2));
    for (std::size_t start = 0; start < size; start += kBytesPerLine) {
        const std::size_t n = std::min(kBytesPerLine, size - start);
        AppendOffset(out, firstOffset + start);
        out += ": ";
        for (std::size_t k = 0; k < n; ++k) {
            const unsigned char byte = data[start + k];
            out += kHexDigits[byte >> 4];
            out += kHexDigits[byte & 0xF];
            out += ' ';
        }
        out.append(kByteColumnWidth - 3 * n, ' ');
        for (std::size_t k = 0; k < n; ++k) out += ColumnCharacter(data[start + k]);
        out += "\r\n";
    }
    return out;
}

std::string HexDumpText(const std::string& path, std::int64_t count) {
    std::vector<unsigned char> bytes;
    if (!ReadFirstBytes(path, count, bytes)) return Translated(hexview_texts::kReadFailed);
    return HexDumpOfBytes(bytes.data(), bytes.size());
}

}  // namespace pelmora
