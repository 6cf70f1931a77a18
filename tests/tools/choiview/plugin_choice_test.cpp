#include "tools/choiview/plugin_choice.h"

#include <gtest/gtest.h>

#include "tools/choiview/viewer_file_names.h"

namespace pelmora {
namespace {

TEST(PluginChoice, ExtensionsOfTwoToFourCharactersChooseTheirPlugin) {
    EXPECT_EQ(PluginLibraryOf(PluginExtension("/p/a.tif")), "iftiff.spi");
    EXPECT_EQ(PluginLibraryOf(PluginExtension("/p/a.TIFF")), "iftiff.spi");
    EXPECT_EQ(PluginLibraryOf(PluginExtension("/p/a.jpeg")), "ifjpeg.spi");
    EXPECT_EQ(PluginLibraryOf(PluginExtension("/p/a.jpg")), "ifjpeg.spi");
    EXPECT_EQ(PluginLibraryOf(PluginExtension("/p/a.pict")), "ifpict.spi");
    EXPECT_EQ(PluginLibraryOf("Q4"), "ifxld4.spi");
    EXPECT_EQ(PluginLibraryOf("PNG"), "ifPNG.spi");
    EXPECT_EQ(PluginLibraryOf("PCX"), "ifPCX.spi");
}

TEST(PluginChoice, WithoutADotNearTheEndTheLastFiveCharactersMatchNothing) {
    EXPECT_EQ(PluginLibraryOf(PluginExtension("/p/a.abcde")), "");
    EXPECT_EQ(PluginLibraryOf(PluginExtension("/p/a.b")), "");
    EXPECT_EQ(PluginLibraryOf("gif"), "");  // compared as written: upper case only
    EXPECT_EQ(PluginLibraryOf("BMP"), "");
}

TEST(PluginChoice, MessagesTellAMissingPluginFromOneThatFailed) {
    EXPECT_EQ(PluginFailureMessage("ifPNG.spi", false), "ifPNG.spiが見つかりません");
    EXPECT_EQ(PluginFailureMessage("ifPNG.spi", true), "ifPNG.spiによる表示に失敗しました");
}

}  // namespace
}  // namespace pelmora
