#pragma once
// A device-independent bitmap as an image-reader plug-in returns it (information block and
// pixel block), checked against the blocks' sizes and turned into rows of 0xffRRGGBB pixels.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace pelmora {

struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0xffRRGGBB, top row first, width * height
};

struct DibReading {
    enum class Outcome {
        Painted,
        BlocksTooSmall,  // the header's sizes do not fit the blocks (loader code 10)
        NotPaintable,    // a form or size that is not shown (loader code 11)
    };
    Outcome outcome = Outcome::NotPaintable;
    RgbPicture picture;
};

// The largest picture shown, in pixels: 256 MiB as 32-bit pixels, Qt's own limit for a
// decoded picture.
inline constexpr std::int64_t kMaxDibPixels = std::int64_t{1} << 26;

// info: a BITMAPINFOHEADER (40 bytes or more as its biSize says) and the palette for 1, 4 and
// 8 bits; pixels: the rows, bottom-up (top-down for a negative height), padded to 4 bytes.
// 1, 4, 8, 24 and 32 bits per pixel, uncompressed. Nothing outside the two spans is read.
DibReading ReadDib(std::span<const std::uint8_t> info, std::span<const std::uint8_t> pixels);

// ReadDib into memory the caller gives once the header is checked: `place(width, height)`
// returns room for width * height pixels (rows as RgbPicture's), or null when it has none,
// which makes the bitmap NotPaintable.
using DibPlace = std::function<std::uint32_t*(int width, int height)>;
DibReading::Outcome ReadDibInto(std::span<const std::uint8_t> info, std::span<const std::uint8_t> pixels,
                                const DibPlace& place);

}  // namespace pelmora
