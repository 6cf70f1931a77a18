#pragma once
// BMP files made byte by byte, in the forms Qt's writer does not make: small bit depths,
// the OS/2 header, colour masks and RLE runs. Every file is exactly as long as it needs to be,
// so any shorter copy lacks something.

#include <cstdint>
#include <string>

#include "tests/tools/choiview/metafile_bytes.h"

namespace pelmora::testing {

struct BitmapForm {
    int width = 0;
    int height = 0;  // negative: rows stored top first
    int bits = 24;
    std::uint32_t compression = 0;  // 0 RGB, 1 RLE8, 2 RLE4, 3 bit fields
    std::uint32_t paletteEntries = 0;
    bool coreHeader = false;  // the 12-byte OS/2 header with 3-byte palette entries
};

// The file: headers, masks for bit fields, a grey-scale palette, then `pixels` as given.
inline std::string BitmapFile(const BitmapForm& form, const std::string& pixels) {
    std::string tables;
    if (form.compression == 3)
        for (std::uint32_t mask : {0xF800u, 0x07E0u, 0x001Fu}) PutU32(tables, mask);
    for (std::uint32_t i = 0; i < form.paletteEntries; ++i) {
        const char level = static_cast<char>(i * 255 / (form.paletteEntries > 1 ? form.paletteEntries - 1 : 1));
        tables.append(form.coreHeader ? 3 : 4, level);
        if (!form.coreHeader) tables.back() = 0;
    }
    std::string header;
    if (form.coreHeader) {
        PutU32(header, 12);
        PutU16(header, static_cast<std::uint32_t>(form.width));
        PutU16(header, static_cast<std::uint32_t>(form.height));
        PutU16(header, 1);
        PutU16(header, static_cast<std::uint32_t>(form.bits));
    } else {
        PutU32(header, 40);
        PutU32(header, static_cast<std::uint32_t>(form.width));
        PutU32(header, static_cast<std::uint32_t>(form.height));
        PutU16(header, 1);
        PutU16(header, static_cast<std::uint32_t>(form.bits));
        PutU32(header, form.compression);
        PutU32(header, static_cast<std::uint32_t>(pixels.size()));
        PutU32(header, 2835);
        PutU32(header, 2835);
        PutU32(header, form.paletteEntries);
        PutU32(header, 0);
    }
    const std::uint32_t offset = static_cast<std::uint32_t>(14 + header.size() + tables.size());
    std::string file = "BM";
    PutU32(file, static_cast<std::uint32_t>(offset + pixels.size()));
    PutU32(file, 0);
    PutU32(file, offset);
    return file + header + tables + pixels;
}

// Uncompressed rows of `bits` per pixel, each pixel `value` (its low bits), padded to 4 bytes.
inline std::string UniformRows(int width, int height, int bits, std::uint32_t value) {
    const std::size_t stride = (static_cast<std::size_t>(width) * static_cast<std::size_t>(bits) + 31) / 32 * 4;
    std::string row(stride, '\0');
    for (int x = 0; x < width; ++x)
        for (int bit = 0; bit < bits; ++bit)
            if (value >> (bits - 1 - bit) & 1) {
                const std::size_t at = static_cast<std::size_t>(x) * static_cast<std::size_t>(bits) +
                                       static_cast<std::size_t>(bit);
                row[at / 8] = static_cast<char>(row[at / 8] | 0x80 >> at % 8);
            }
    std::string rows;
    for (int y = 0; y < (height < 0 ? -height : height); ++y) rows += row;
    return rows;
}

// RLE8 runs: each row a run of `index`, then an absolute run of three pixels on the first row
// and a jump over one row in the middle; rows end with the end-of-line mark, the last with the
// end-of-picture mark.
inline std::string Rle8Runs(int width, int height, std::uint8_t index) {
    std::string runs;
    for (int y = 0; y < height; ++y) {
        const bool last = y == height - 1;
        if (y == 0 && width > 3) {
            runs += std::string{'\0', '\3', static_cast<char>(index), static_cast<char>(index), static_cast<char>(index), '\0'};
            runs += std::string{static_cast<char>(width - 3), static_cast<char>(index)};
        } else if (y == height / 2 && height > 2 && !last) {
            runs += std::string{'\0', '\2', '\0', '\1'};  // down one row
            continue;
        } else {
            runs += std::string{static_cast<char>(width), static_cast<char>(index)};
        }
        runs += std::string{'\0', last ? '\1' : '\0'};
    }
    return runs;
}

}  // namespace pelmora::testing
