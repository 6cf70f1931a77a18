#include "tools/choiview/bitmap_file_check.h"

#include <cstdint>
#include <cstdlib>

namespace pelmora {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;  // the OS/2 header: 16-bit sizes, 3-byte palette entries
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;

std::uint32_t U32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}
std::uint16_t U16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8);
}

bool KnownHeaderSize(std::uint32_t size) {
    switch (size) {
        case kCoreHeaderSize: case kInfoHeaderSize: case 52: case 56: case 64: case 108: case 124: return true;
        default: return false;
    }
}

// The runs of an RLE picture from `at`: whole when its end mark comes, or every row has
// ended, before the file does.
bool RunsAreWhole(std::string_view bytes, std::size_t at, std::uint64_t rows, unsigned bits) {
    std::uint64_t row = 0;
    while (row < rows) {
        if (bytes.size() - at < 2) return false;
        const auto count = static_cast<unsigned char>(bytes[at]);
        const auto value = static_cast<unsigned char>(bytes[at + 1]);
        at += 2;
        if (count > 0) continue;  // a run of one colour
        if (value == 0) {
            ++row;
        } else if (value == 1) {
            return true;
        } else if (value == 2) {
            if (bytes.size() - at < 2) return false;
            row += static_cast<unsigned char>(bytes[at + 1]);
            at += 2;
        } else {
            // Pixels as they are, padded to a whole 16-bit word.
            const std::size_t literal = (static_cast<std::size_t>(value) * bits + 7) / 8;
            const std::size_t padded = (literal + 1) / 2 * 2;
            if (bytes.size() - at < padded) return false;
            at += padded;
        }
    }
    return true;
}

}  // namespace

bool IsBitmapFile(std::string_view bytes) { return bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M'; }

bool BitmapFileIsWhole(std::string_view bytes) {
    if (!IsBitmapFile(bytes) || bytes.size() < kFileHeaderSize + 4) return false;
    const std::uint32_t pixelOffset = U32(bytes, 10);
    const std::uint32_t headerSize = U32(bytes, kFileHeaderSize);
    if (!KnownHeaderSize(headerSize) || bytes.size() - kFileHeaderSize < headerSize) return false;
    const std::size_t h = kFileHeaderSize;
    const bool core = headerSize == kCoreHeaderSize;
    const std::int64_t width = core ? U16(bytes, h + 4) : static_cast<std::int32_t>(U32(bytes, h + 4));
    const std::int64_t height = core ? U16(bytes, h + 6) : static_cast<std::int32_t>(U32(bytes, h + 8));
    const unsigned bits = U16(bytes, core ? h + 10 : h + 14);
    const std::uint32_t compression = core ? kRgb : U32(bytes, h + 16);
    const std::uint32_t colorsUsed = core ? 0 : U32(bytes, h + 32);
    if (width <= 0 || height == 0) return false;
    const std::uint64_t rows = static_cast<std::uint64_t>(std::llabs(height));

    std::uint64_t tables = 0;  // colour masks and palette after the header
    if (headerSize == kInfoHeaderSize && compression == kBitFields) tables += 12;
    if (headerSize == kInfoHeaderSize && compression == kAlphaBitFields) tables += 16;
    if (bits <= 8) {
        const std::uint64_t entries = colorsUsed != 0 ? colorsUsed : std::uint64_t{1} << bits;
        tables += entries * (core ? 3 : 4);
    }
    const std::uint64_t headersEnd = kFileHeaderSize + std::uint64_t{headerSize} + tables;
    if (headersEnd > bytes.size()) return false;
    // The pixels start at the file's offset; never inside the headers, as they are read in turn.
    const std::uint64_t pixelsStart = pixelOffset > headersEnd ? pixelOffset : headersEnd;
    if (pixelsStart > bytes.size()) return false;

    switch (compression) {
        case kRle8:
        case kRle4:
            if (bits != (compression == kRle8 ? 8u : 4u)) return false;
            return RunsAreWhole(bytes, static_cast<std::size_t>(pixelsStart), rows, bits);
        case kRgb:
        case kBitFields:
        case kAlphaBitFields: {
            if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
            const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
            // Sizes that large are refused by the reader anyway; they must not overflow here.
            if (rows > (std::uint64_t{1} << 32) || stride > (std::uint64_t{1} << 32)) return false;
            return stride * rows <= bytes.size() - pixelsStart;
        }
        default:
            return false;
    }
}

}  // namespace pelmora
