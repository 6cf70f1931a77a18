#include "tools/choiview/dib_picture.h"

#include <gtest/gtest.h>

namespace pelmora {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Outcome = DibReading::Outcome;

void Put32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

Bytes Header(std::int32_t width, std::int32_t height, std::uint16_t bits, std::uint32_t colors = 0,
             std::size_t paletteBytes = 0) {
    Bytes info(40 + paletteBytes, 0);
    Put32(info, 0, 40);
    Put32(info, 4, static_cast<std::uint32_t>(width));
    Put32(info, 8, static_cast<std::uint32_t>(height));
    info[12] = 1;
    info[14] = static_cast<std::uint8_t>(bits);
    Put32(info, 32, colors);
    return info;
}

TEST(DibPicture, TwentyFourBitRowsArePaddedAndStoredBottomUp) {
    // 2 x 2: rows of 6 bytes padded to 8; the bottom row comes first.
    const Bytes pixels = {255, 0, 0, 0, 255, 0, 9, 9,   // bottom: blue, green
                          0, 0, 255, 1, 2, 3, 9, 9};  // top: red, (3, 2, 1)
    const DibReading up = ReadDib(Header(2, 2, 24), pixels);
    ASSERT_EQ(up.outcome, Outcome::Painted);
    EXPECT_EQ(up.picture.width, 2);
    EXPECT_EQ(up.picture.height, 2);
    EXPECT_EQ(up.picture.pixels, (std::vector<std::uint32_t>{0xffff0000, 0xff030201, 0xff0000ff, 0xff00ff00}));

    // A negative height stores the top row first and is shown the same way up.
    const DibReading down = ReadDib(Header(2, -2, 24), pixels);
    ASSERT_EQ(down.outcome, Outcome::Painted);
    EXPECT_EQ(down.picture.height, 2);
    EXPECT_EQ(down.picture.pixels, (std::vector<std::uint32_t>{0xff0000ff, 0xff00ff00, 0xffff0000, 0xff030201}));
}

// Rows of 4 pixels need no padding: each pixel is its own three bytes, whatever follows them,
// and the last pixel of the block is read within it.
TEST(DibPicture, TwentyFourBitRowsWithoutPaddingKeepEveryPixelApart) {
    Bytes pixels;
    for (int i = 0; i < 24; ++i) pixels.push_back(static_cast<std::uint8_t>(i * 10 + 1));
    const DibReading down = ReadDib(Header(4, -2, 24), pixels);
    ASSERT_EQ(down.outcome, Outcome::Painted);
    EXPECT_EQ(down.picture.pixels, (std::vector<std::uint32_t>{0xff150b01, 0xff33291f, 0xff51473d, 0xff6f655b,
                                                               0xff8d8379, 0xffaba197, 0xffc9bfb5, 0xffe7ddd3}));
}

TEST(DibPicture, PalettedFormsLookTheirIndicesUp) {
    Bytes info = Header(9, 1, 1, 2, 8);
    Put32(info, 40, 0x000000);
    Put32(info, 44, 0xabcdef);
    const DibReading mono = ReadDib(info, Bytes{0b10100000, 0b10000000, 0, 0});
    ASSERT_EQ(mono.outcome, Outcome::Painted);
    EXPECT_EQ(mono.picture.pixels[0], 0xffabcdefu);
    EXPECT_EQ(mono.picture.pixels[1], 0xff000000u);
    EXPECT_EQ(mono.picture.pixels[2], 0xffabcdefu);
    EXPECT_EQ(mono.picture.pixels[8], 0xffabcdefu);

    // Four bits, a palette of three colours: index 15 lies past it and shows black.
    Bytes info4 = Header(3, 1, 4, 3, 12);
    Put32(info4, 48, 0x112233);
    const DibReading four = ReadDib(info4, Bytes{0x2f, 0x20, 0, 0});
    ASSERT_EQ(four.outcome, Outcome::Painted);
    EXPECT_EQ(four.picture.pixels, (std::vector<std::uint32_t>{0xff112233, 0xff000000, 0xff112233}));
}

TEST(DibPicture, SizesThatDoNotFitTheBlocksAreRefused) {
    // Each case would read past the end of a block.
    EXPECT_EQ(ReadDib(Bytes(39, 0), Bytes(64, 0)).outcome, Outcome::BlocksTooSmall);
    EXPECT_EQ(ReadDib(Header(4, 4, 24), Bytes(47, 0)).outcome, Outcome::BlocksTooSmall);
    EXPECT_EQ(ReadDib(Header(4, -4, 24), Bytes(47, 0)).outcome, Outcome::BlocksTooSmall);
    EXPECT_EQ(ReadDib(Header(2, 1, 8, 0, 1020), Bytes(4, 0)).outcome, Outcome::BlocksTooSmall);
    EXPECT_EQ(ReadDib(Header(2, 1, 8, 0, 1024), Bytes(4, 0)).outcome, Outcome::Painted);
    Bytes longHeader = Header(1, 1, 24);
    Put32(longHeader, 0, 124);  // a header longer than its block
    EXPECT_EQ(ReadDib(longHeader, Bytes(4, 0)).outcome, Outcome::BlocksTooSmall);
    // A row of 2^27 bytes over a small block; a picture above the size limit is not shown.
    EXPECT_EQ(ReadDib(Header(0x02000000, 1, 32), Bytes(16, 0)).outcome, Outcome::BlocksTooSmall);
    EXPECT_EQ(ReadDib(Header(0x40000000, 1, 32), Bytes(16, 0)).outcome, Outcome::NotPaintable);
}

TEST(DibPicture, FormsThatCannotBePaintedAreToldApart) {
    EXPECT_EQ(ReadDib(Header(2, 2, 16), Bytes(64, 0)).outcome, Outcome::NotPaintable);
    EXPECT_EQ(ReadDib(Header(0, 2, 24), Bytes(64, 0)).outcome, Outcome::NotPaintable);
    EXPECT_EQ(ReadDib(Header(2, 0, 24), Bytes(64, 0)).outcome, Outcome::NotPaintable);
    EXPECT_EQ(ReadDib(Header(2, INT32_MIN, 24), Bytes(64, 0)).outcome, Outcome::NotPaintable);
    Bytes compressed = Header(2, 2, 8, 0, 1024);
    compressed[16] = 1;  // RLE8
    EXPECT_EQ(ReadDib(compressed, Bytes(64, 0)).outcome, Outcome::NotPaintable);
}

}  // namespace
}  // namespace pelmora
