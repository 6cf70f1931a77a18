#include "tools/choiview/dib_picture.h"

#include <bit>
#include <cstdlib>
#include <cstring>

namespace pelmora {

namespace {

constexpr std::size_t kHeaderSize = 40;

std::uint32_t Read32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::uint16_t Read16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

std::uint32_t Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return 0xff000000u | static_cast<std::uint32_t>(red) << 16 | static_cast<std::uint32_t>(green) << 8 | blue;
}

}  // namespace

DibReading ReadDib(std::span<const std::uint8_t> info, std::span<const std::uint8_t> pixels) {
    DibReading reading;
    reading.outcome = ReadDibInto(info, pixels, [&reading](int width, int height) {
        RgbPicture& picture = reading.picture;
        picture.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
        picture.width = width;
        picture.height = height;
        return picture.pixels.data();
    });
    if (reading.outcome != DibReading::Outcome::Painted) reading.picture = RgbPicture();
    return reading;
}

DibReading::Outcome ReadDibInto(std::span<const std::uint8_t> info, std::span<const std::uint8_t> pixels,
                                const DibPlace& place) {
    using Outcome = DibReading::Outcome;
    if (info.size() < kHeaderSize) return Outcome::BlocksTooSmall;
    const std::uint32_t headerSize = Read32(info, 0);
    const auto width = static_cast<std::int32_t>(Read32(info, 4));
    const auto height = static_cast<std::int32_t>(Read32(info, 8));
    const std::uint16_t bits = Read16(info, 14);
    const std::uint32_t compression = Read32(info, 16);
    const std::uint32_t colorsUsed = Read32(info, 32);
    if (headerSize < kHeaderSize || headerSize > info.size()) return Outcome::BlocksTooSmall;
    const bool knownBits = bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32;
    // INT32_MIN has no positive counterpart.
    if (!knownBits || compression != 0 || width <= 0 || height == 0 || height == INT32_MIN) return Outcome::NotPaintable;
    const std::int64_t rows = std::llabs(static_cast<std::int64_t>(height));
    if (static_cast<std::int64_t>(width) * rows > kMaxDibPixels) return Outcome::NotPaintable;

    std::vector<std::uint32_t> palette;
    if (bits <= 8) {
        const std::uint32_t full = 1u << bits;
        const std::uint64_t entries = colorsUsed == 0 ? full : colorsUsed;
        if (entries * 4 > info.size() - headerSize) return Outcome::BlocksTooSmall;
        // Indices past a short palette are black; entries past 2^bits are never used.
        palette.assign(full, Rgb(0, 0, 0));
        for (std::size_t i = 0; i < entries && i < full; ++i) {
            const std::size_t at = headerSize + i * 4;
            palette[i] = Rgb(info[at + 2], info[at + 1], info[at]);
        }
    }
    const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
    if (stride * static_cast<std::uint64_t>(rows) > pixels.size()) return Outcome::BlocksTooSmall;

    std::uint32_t* const target = place(width, static_cast<int>(rows));
    if (target == nullptr) return Outcome::NotPaintable;
    for (std::int64_t y = 0; y < rows; ++y) {
        // A positive height stores the bottom row first.
        const std::int64_t stored = height > 0 ? rows - 1 - y : y;
        const std::uint8_t* row = pixels.data() + static_cast<std::size_t>(stored) * stride;
        std::uint32_t* out = target + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        // One loop per depth: the common 24 and 32 bits are then plain copies the compiler
        // vectorises.
        switch (bits) {
            case 1:
                for (std::int32_t x = 0; x < width; ++x) out[x] = palette[(row[x / 8] >> (7 - x % 8)) & 1];
                break;
            case 4:
                for (std::int32_t x = 0; x < width; ++x) out[x] = palette[(row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0xf];
                break;
            case 8:
                for (std::int32_t x = 0; x < width; ++x) out[x] = palette[row[x]];
                break;
            case 24: {
                // Blue, green, red in a row are a pixel's low three bytes: four bytes read at
                // once (the last pixel apart, whose fourth byte may lie past the block).
                std::int32_t x = 0;
                if constexpr (std::endian::native == std::endian::little) {
                    for (; x + 1 < width; ++x) {
                        std::uint32_t bgr;
                        std::memcpy(&bgr, row + static_cast<std::size_t>(x) * 3, sizeof bgr);
                        out[x] = 0xff000000u | (bgr & 0x00ffffffu);
                    }
                }
                for (; x < width; ++x) out[x] = Rgb(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
                break;
            }
            default:
                for (std::int32_t x = 0; x < width; ++x) out[x] = Rgb(row[x * 4 + 2], row[x * 4 + 1], row[x * 4]);
                break;
        }
    }
    return Outcome::Painted;
}

}  // namespace pelmora
