#include "tools/choiview/bitmap_file_check.h"

#include <gtest/gtest.h>

#include "tests/tools/choiview/bitmap_bytes.h"

namespace pelmora {
namespace {

using testing::BitmapFile;
using testing::BitmapForm;
using testing::UniformRows;

struct Named {
    const char* name;
    std::string bytes;
};

// RLE4: a run of two colours on each row, an absolute run of five pixels (three bytes, padded
// to four) on the first.
std::string Rle4Runs(int width, int height) {
    std::string runs;
    for (int y = 0; y < height; ++y) {
        if (y == 0) {
            runs += std::string{'\0', '\5', '\x12', '\x34', '\x50', '\0'};
            runs += std::string{static_cast<char>(width - 5), '\x21'};
        } else {
            runs += std::string{static_cast<char>(width), '\x21'};
        }
        runs += std::string{'\0', y == height - 1 ? '\1' : '\0'};
    }
    return runs;
}

std::vector<Named> WholeFiles() {
    return {
        {"1-bit", BitmapFile({13, 5, 1, 0, 2}, UniformRows(13, 5, 1, 1))},
        {"4-bit", BitmapFile({7, 3, 4, 0, 16}, UniformRows(7, 3, 4, 9))},
        {"8-bit, short palette", BitmapFile({5, 4, 8, 0, 3}, UniformRows(5, 4, 8, 2))},
        {"24-bit", BitmapFile({40, 30, 24}, UniformRows(40, 30, 24, 0xFF0000))},
        {"24-bit top first", BitmapFile({3, -4, 24}, UniformRows(3, 4, 24, 0x00FF00))},
        {"32-bit", BitmapFile({6, 2, 32}, UniformRows(6, 2, 32, 0x0000FF))},
        {"16-bit masks", BitmapFile({5, 3, 16, 3}, UniformRows(5, 3, 16, 0xF800))},
        {"OS/2 8-bit", BitmapFile({4, 4, 8, 0, 256, true}, UniformRows(4, 4, 8, 200))},
        {"RLE8", BitmapFile({20, 6, 8, 1, 256}, testing::Rle8Runs(20, 6, 7))},
        {"RLE4", BitmapFile({12, 3, 4, 2, 16}, Rle4Runs(12, 3))},
    };
}

TEST(BitmapFileCheck, EveryFormIsWholeAndEveryShorterCopyIsNot) {
    for (const Named& file : WholeFiles()) {
        SCOPED_TRACE(file.name);
        EXPECT_TRUE(IsBitmapFile(file.bytes));
        EXPECT_TRUE(BitmapFileIsWhole(file.bytes));
        // Bytes after the picture do not matter.
        EXPECT_TRUE(BitmapFileIsWhole(file.bytes + std::string(9, '\xAA')));
        for (std::size_t keep = 0; keep < file.bytes.size(); ++keep)
            ASSERT_FALSE(BitmapFileIsWhole(file.bytes.substr(0, keep))) << "cut to " << keep;
    }
}

TEST(BitmapFileCheck, RunsEndWithTheirMarkOrTheLastRow) {
    // The end-of-picture mark may come early: the rows after it are the background.
    const std::string early = BitmapFile({8, 10, 8, 1, 256}, std::string{'\x08', '\x05', '\0', '\1'});
    EXPECT_TRUE(BitmapFileIsWhole(early));
    // Every row ended, no mark.
    const std::string rows = BitmapFile({8, 2, 8, 1, 256}, std::string{'\x08', '\x05', '\0', '\0', '\x08', '\x05', '\0', '\0'});
    EXPECT_TRUE(BitmapFileIsWhole(rows));
    // A jump past the last row ends the picture too; one cut in its middle does not.
    EXPECT_TRUE(BitmapFileIsWhole(BitmapFile({8, 3, 8, 1, 256}, std::string{'\0', '\2', '\0', '\5'})));
    EXPECT_FALSE(BitmapFileIsWhole(BitmapFile({8, 3, 8, 1, 256}, std::string{'\0', '\2', '\0'})));
    // An absolute run that needs more bytes than are left.
    EXPECT_FALSE(BitmapFileIsWhole(BitmapFile({8, 1, 8, 1, 256}, std::string{'\0', '\7', '\1', '\2', '\3', '\0', '\1'})));
}

TEST(BitmapFileCheck, FormsWhoseSizeIsUnknownAreNotWhole) {
    std::string unknownHeader = BitmapFile({4, 4, 24}, UniformRows(4, 4, 24, 0));
    unknownHeader[14] = 41;
    std::string hugePalette = BitmapFile({2, 2, 8, 0, 1}, UniformRows(2, 2, 8, 0));
    hugePalette.replace(46, 4, "\xFF\xFF\xFF\xFF");
    const std::string cases[] = {
        unknownHeader,
        BitmapFile({4, 4, 7}, std::string(64, '\0')),                // no such bit depth
        BitmapFile({4, 4, 24, 4}, std::string(64, '\0')),            // JPEG inside
        BitmapFile({4, 4, 24, 1}, std::string(64, '\0')),            // RLE8 of 24-bit pixels
        BitmapFile({0, 4, 24}, std::string(64, '\0')),               // no width
        BitmapFile({4, 0, 24}, std::string(64, '\0')),               // no height
        BitmapFile({0x7FFFFFFF, 0x7FFFFFFF, 32}, std::string(64, '\0')),  // sizes that overflow
        hugePalette,
        "BM",
        "",
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_FALSE(BitmapFileIsWhole(cases[i])) << "case " << i;
    EXPECT_FALSE(IsBitmapFile("\x89PNG"));
}

}  // namespace
}  // namespace pelmora
