#include "tools/choiview/metafile_svg.h"

#include <gtest/gtest.h>

#include "tests/support/temp_tree.h"
#include "tests/tools/choiview/metafile_bytes.h"

namespace pelmora {
namespace {

constexpr std::uint32_t kGreen = 0x0000FF00;  // 0x00BBGGRR

TEST(MetafileSvg, BothFormatsGiveTheirFrameAndTheFilledRectangle) {
    const struct {
        std::string bytes;
        MetafileFormat format;
        const char* fill;  // how each library writes the colour
    } cases[] = {
        {testing::EmfWithRectangle(120, 80, kGreen, 10, 10, 90, 50), MetafileFormat::Emf, "#00FF00"},
        {testing::WmfWithRectangle(120, 80, kGreen, 10, 10, 90, 50), MetafileFormat::Wmf, "lime"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MetafileFormatOf(c.bytes), c.format);
        const std::optional<MetafileSvg> picture = MetafileToSvg(c.bytes, 96);
        ASSERT_TRUE(picture.has_value());
        EXPECT_EQ(picture->width, 120);
        EXPECT_EQ(picture->height, 80);
        EXPECT_NE(picture->svg.find("<svg"), std::string::npos);
        EXPECT_NE(picture->svg.find(c.fill), std::string::npos) << picture->svg;
        // The size follows the resolution asked for.
        const std::optional<MetafileSvg> twice = MetafileToSvg(c.bytes, 192);
        ASSERT_TRUE(twice.has_value());
        EXPECT_EQ(twice->width, 240);
        EXPECT_EQ(twice->height, 160);
    }
}

TEST(MetafileSvg, DamagedOrForeignBytesAreRefused) {
    const struct {
        std::string whole;
        std::size_t rectangleSizeFromEnd;  // the low byte of the rectangle record's size
        char pastTheEnd;
    } cases[] = {
        {testing::EmfWithRectangle(50, 50, kGreen, 0, 0, 20, 20), 40, '\x7C'},
        {testing::WmfWithRectangle(50, 50, kGreen, 0, 0, 20, 20), 20, '\x7F'},
    };
    for (const auto& [whole, rectangleSizeFromEnd, pastTheEnd] : cases) {
        // Cut in the last record, in the middle, and inside a record's size field.
        for (std::size_t keep : {whole.size() - 4, whole.size() / 2, std::size_t{100}}) {
            const std::string cut = whole.substr(0, keep);
            EXPECT_FALSE(MetafileToSvg(cut, 96).has_value()) << keep;
        }
        // A record claiming more than the file holds.
        std::string oversized = whole;
        oversized[whole.size() - rectangleSizeFromEnd] = pastTheEnd;
        EXPECT_FALSE(MetafileToSvg(oversized, 96).has_value());
    }
    EXPECT_EQ(MetafileFormatOf("BM not a metafile"), MetafileFormat::None);
    EXPECT_EQ(MetafileFormatOf(""), MetafileFormat::None);
    EXPECT_FALSE(MetafileToSvg(std::string(200, '\0'), 96).has_value());
}

TEST(MetafileSvg, FilesAreReadWholeOnlyWhenTheyAreMetafiles) {
    testing::TempTree tree;
    const MetafileReading emf =
        ReadMetafileAsSvg(tree.AddFile("a.emf", testing::EmfWithRectangle(40, 30, kGreen, 0, 0, 10, 10)), 96);
    EXPECT_TRUE(emf.isMetafile);
    ASSERT_TRUE(emf.picture.has_value());
    EXPECT_EQ(emf.picture->width, 40);
    const std::string wmf = testing::WmfWithRectangle(40, 30, kGreen, 0, 0, 10, 10);
    const MetafileReading shortWmf = ReadMetafileAsSvg(tree.AddFile("a.wmf", wmf), 96);
    EXPECT_TRUE(shortWmf.isMetafile && shortWmf.picture.has_value());
    const MetafileReading damaged = ReadMetafileAsSvg(tree.AddFile("b.wmf", wmf.substr(0, wmf.size() - 6)), 96);
    EXPECT_TRUE(damaged.isMetafile);
    EXPECT_FALSE(damaged.picture.has_value());
    EXPECT_FALSE(ReadMetafileAsSvg(tree.AddFile("c.emf", std::string(300, 'x')), 96).isMetafile);
    EXPECT_FALSE(ReadMetafileAsSvg(tree / "missing.emf", 96).isMetafile);
}

}  // namespace
}  // namespace pelmora
