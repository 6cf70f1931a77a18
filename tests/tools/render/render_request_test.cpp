#include "tools/render/render_request.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/temp_tree.h"
#include "tools/choiview/office_conversion.h"

namespace pelmora {
namespace {

TEST(FittedSize, ScalesTheLongerSideToTheLimitAndNeverEnlarges) {
    EXPECT_EQ(FittedSize({4000, 3000}, 256), (PixelSize{256, 192}));
    EXPECT_EQ(FittedSize({3000, 4000}, 256), (PixelSize{192, 256}));
    EXPECT_EQ(FittedSize({100, 50}, 256), (PixelSize{100, 50}));
    EXPECT_EQ(FittedSize({256, 256}, 256), (PixelSize{256, 256}));
    EXPECT_EQ(FittedSize({100, 50}, 0), (PixelSize{100, 50}));
    // A sliver keeps at least one pixel across.
    EXPECT_EQ(FittedSize({10000, 3}, 100), (PixelSize{100, 1}));
    EXPECT_EQ(FittedSize({3, 10000}, 100), (PixelSize{1, 100}));
    // Rounded, not cut: 333.33 x 1000 / 1000 * 500.
    EXPECT_EQ(FittedSize({1000, 667}, 500), (PixelSize{500, 334}));
}

TEST(RenderSize, TakesOnlyAPlainNumberOfPixels) {
    EXPECT_EQ(ParseRenderSize("256"), 256);
    EXPECT_EQ(ParseRenderSize("1"), 1);
    EXPECT_EQ(ParseRenderSize("65535"), 65535);
    for (const char* wrong : {"", "0", "-5", "+5", "12px", " 12", "65536", "99999999999", "1e3"})
        EXPECT_FALSE(ParseRenderSize(wrong).has_value()) << wrong;
}

TEST(RenderProgramArguments, ANameThatLooksLikeAnOptionSurvivesTheWayThere) {
    const RenderRequest request{RenderSource::OfficePage, "--size", "-out.png", 128, {}};
    const auto back = ParseRenderProgramArguments(RenderProgramArguments("/bin/pelmora-render", request));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->source, RenderSource::OfficePage);
    EXPECT_EQ(back->file, "--size");
    EXPECT_EQ(back->output, "-out.png");
    EXPECT_EQ(back->size, 128);
    EXPECT_FALSE(ParseRenderProgramArguments({"p", "movie", "0", "--", "a", "b"}).has_value());
    EXPECT_FALSE(ParseRenderProgramArguments({"p", "pdf", "0", "a", "b"}).has_value());
}

TEST(RenderProgramArguments, TheAuthenticationFileGoesByItsPathAlone) {
    RenderRequest request{RenderSource::Picture, "//server/share/a.bmp", "out.png", 0, {}};
    request.authenticationFile = "--size";
    const std::vector<std::string> arguments = RenderProgramArguments("/bin/pelmora-render", request);
    const auto back = ParseRenderProgramArguments(arguments);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->authenticationFile, "--size");
    EXPECT_EQ(back->file, "//server/share/a.bmp");
    EXPECT_EQ(back->output, "out.png");
    EXPECT_EQ(back->size, 0);
    // Without one, nothing of it is on the command line.
    request.authenticationFile.clear();
    EXPECT_EQ(RenderProgramArguments("/bin/pelmora-render", request).size(), 6u);
    EXPECT_EQ(ParseRenderProgramArguments(RenderProgramArguments("/bin/pelmora-render", request))->authenticationFile, "");
    // The option without its path, or in the names' place, is no request.
    EXPECT_FALSE(ParseRenderProgramArguments({"p", "picture", "0", "--authentication-file", "--", "a", "b"}).has_value());
    EXPECT_FALSE(ParseRenderProgramArguments({"p", "picture", "0", "--authentication-file", "", "--", "a", "b"}).has_value());
    EXPECT_FALSE(ParseRenderProgramArguments({"p", "picture", "0", "--", "a", "b", "--authentication-file", "f"}).has_value());
}

TEST(RenderChoice, FollowsTheViewersKindAndRoute) {
    testing::TempTree tree;
    Settings settings;
    settings.CV_bmp = settings.CV_Su_pcx = settings.CV_pdf = settings.CV_xls = settings.CV_htm = "1";
    const auto source = [&](const std::string& name) { return RenderChoiceOfFile(tree.AddFile(name, "x"), settings).source; };
    EXPECT_EQ(source("a.bmp"), RenderSource::Picture);
    EXPECT_EQ(source("a.PCX"), RenderSource::PluginPicture);
    EXPECT_EQ(source("a.pdf"), RenderSource::PdfPage);
    EXPECT_EQ(source("a.xls"), RenderSource::OfficePage);
    EXPECT_FALSE(source("a.html").has_value());
    EXPECT_EQ(RenderChoiceOfFile(tree / "a.html", settings).kind, "IE");
    settings.CV_pdf = "0";
    EXPECT_FALSE(source("b.pdf").has_value());
}

// The viewer and render convert through the same job: the absolute path (no name taken for an
// option of LibreOffice), the cache entry of the document's stamp.
TEST(OfficeConversionJobFor, NamesTheDocumentAbsolutelyAndItsCacheEntry) {
    testing::TempTree tree;
    const std::string doc = tree.AddFile("-o.doc", "document");
    const std::string current = std::filesystem::current_path().string();
    std::filesystem::current_path(tree.path());
    const std::optional<OfficeConversionJob> job = OfficeConversionJobFor("-o.doc");
    std::filesystem::current_path(current);
    ASSERT_TRUE(job.has_value());
    EXPECT_EQ(job->document, doc);
    const std::optional<OfficeConversionJob> absolute = OfficeConversionJobFor(doc);
    ASSERT_TRUE(absolute.has_value());
    EXPECT_EQ(absolute->entryName, ConvertedPdfName(*StampOfDocument(doc)));
    EXPECT_EQ(absolute->cacheFolder, DefaultConvertedPdfFolder());
    EXPECT_FALSE(OfficeConversionJobFor(tree / "missing.doc").has_value());
}

}  // namespace
}  // namespace pelmora
