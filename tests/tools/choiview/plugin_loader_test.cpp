// The plug-in loader with real libraries: a test plug-in whose file says what it returns, the
// plug-ins that ship with the program, and one built from the README against the installed
// header alone.
#include "tools/choiview/plugin_picture.h"

#include <gtest/gtest.h>
#include <tiffio.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "platform/shared_library.h"
#include "tools/choiview/plugin_reply.h"
#include "tests/support/temp_tree.h"

namespace pelmora {
namespace {

using testing::TempTree;

constexpr std::uint32_t kRed = 0xffff0000, kGreen = 0xff00ff00, kBlue = 0xff0000ff, kWhite = 0xffffffff,
                        kBlack = 0xff000000, kGrey = 0xff808080;

// Pixels in this process's memory, as a helper's block would hold them.
class HeapBytes : public platform::SharedAnswerBytes {
public:
    const void* Data() const override { return bytes.data(); }
    std::uint64_t Size() const override { return bytes.size() * sizeof(std::uint32_t); }
    std::vector<std::uint32_t> bytes;
};

// The pixels of a decoded picture, for comparing.
std::vector<std::uint32_t> PixelsOf(const PluginPicture& decoded) {
    const std::span<const std::uint32_t> pixels = decoded.picture.Pixels();
    return {pixels.begin(), pixels.end()};
}

void CopyFile(const std::string& from, const std::string& to) {
    std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing);
}

class PluginLoader : public ::testing::Test {
protected:
    TempTree tree_;
    const std::string plugins_ = tree_.AddFolder("plugins");
    const PluginFolders where_{{plugins_}, false};

    // The test plug-in under the name the loader looks for.
    void Install(const std::string& library) { CopyFile(PELMORA_TEST_PLUGIN, plugins_ + "/" + library); }
    PluginPicture Load(const std::string& name, const std::string& content) {
        return LoadPluginPicture(tree_.AddFile(name, content), where_);
    }
};

TEST_F(PluginLoader, CodesOfTheLoaderAndOfThePlugin) {
    Install("ifPNG.spi");
    const PluginPicture ok = Load("a.png", "ok");
    ASSERT_EQ(ok.code, 0);
    EXPECT_FALSE(ok.failureMessage);
    // The box takes the bitmap's size.
    EXPECT_EQ(ok.picture.width, 3);
    EXPECT_EQ(ok.picture.height, 2);
    const std::vector<std::uint32_t> expected{kRed, kGreen, kBlue, kWhite, kBlack, kGrey};
    EXPECT_EQ(PixelsOf(ok), expected);
    EXPECT_EQ(PixelsOf(Load("b.png", "topdown")), expected);
    EXPECT_EQ(PixelsOf(Load("c.png", "palette")), (std::vector<std::uint32_t>{0xff3c3228, 0xff1e140a}));

    EXPECT_EQ(Load("d.png", "fail").code, 10);               // no handles
    // A plug-in that crashes on a file runs apart from the program: it only fails to show it.
    EXPECT_EQ(Load("k.png", "crash").failureMessage, "ifPNG.spiによる表示に失敗しました");
    EXPECT_EQ(Load("e.png", "too-big").code, 10);            // header larger than its blocks
    EXPECT_EQ(Load("f.png", "short-palette").code, 10);
    EXPECT_EQ(Load("g.png", "16bit").code, 11);
    const PluginPicture refused = Load("h.png", "error-with-blocks");
    EXPECT_EQ(refused.code, 2);
    EXPECT_TRUE(refused.picture.Pixels().empty());
    // Five characters after the dot: no plug-in is asked.
    EXPECT_EQ(Load("i.abcde", "ok").code, 9);
    EXPECT_FALSE(Load("j.abcde", "ok").failureMessage);
}

// The helper's reply names the picture's size; the pixels are where it left them. A reply that
// claims more pixels than the block holds (a plug-in that took over the helper) is refused, so
// nothing past the block is read.
TEST_F(PluginLoader, AReplyIsTrustedOnlyAsFarAsItsPixelsReach) {
    Install("ifPNG.spi");
    const std::string picture = tree_.AddFile("a.png", "ok");
    std::vector<std::uint32_t> decoded;
    const std::string reply = DecodeWithPlugin(plugins_ + "/ifPNG.spi", picture, [&](int width, int height) {
        decoded.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
        return decoded.data();
    });
    ASSERT_EQ(decoded.size(), 6u);
    const auto block = [&](std::size_t pixels) {
        auto bytes = std::make_shared<HeapBytes>();
        bytes->bytes.assign(decoded.begin(), decoded.begin() + static_cast<std::ptrdiff_t>(pixels));
        return bytes;
    };
    const std::optional<PluginPicture> whole = ReadPluginReply(reply, block(6));
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->picture.width, 3);
    EXPECT_EQ(PixelsOf(*whole), (std::vector<std::uint32_t>{kRed, kGreen, kBlue, kWhite, kBlack, kGrey}));
    EXPECT_FALSE(ReadPluginReply(reply, block(5)));
    EXPECT_FALSE(ReadPluginReply(reply, nullptr));
    EXPECT_FALSE(ReadPluginReply(reply + "x", block(6)));
    EXPECT_FALSE(ReadPluginReply(reply.substr(0, 12), block(6)));
    // A failure's reply needs no pixels.
    const std::string failed = DecodeWithPlugin(plugins_ + "/ifPNG.spi", tree_.AddFile("b.png", "fail"),
                                                [](int, int) -> std::uint32_t* { return nullptr; });
    const std::optional<PluginPicture> refused = ReadPluginReply(failed, nullptr);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->code, 10);
    // Room the helper cannot get is a bitmap it cannot paint.
    const std::optional<PluginPicture> noRoom = ReadPluginReply(
        DecodeWithPlugin(plugins_ + "/ifPNG.spi", picture, [](int, int) -> std::uint32_t* { return nullptr; }), nullptr);
    ASSERT_TRUE(noRoom);
    EXPECT_EQ(noRoom->code, 11);
}

// The plug-in runs in a process of its own that can leave no core file and whose memory no
// other process may read; not a copy of this one.
TEST_F(PluginLoader, ThePluginsProcessCannotDumpItsMemory) {
    Install("ifPNG.spi");
    const std::string file = tree_.AddFile("facts.png", "process-facts");
    EXPECT_EQ(LoadPluginPicture(file, where_).code, 10);
    std::ifstream facts(file + ".facts");
    unsigned long long coreLimit = 1;
    int dumpable = 1;
    long processId = 0;
    ASSERT_TRUE(facts >> coreLimit >> dumpable >> processId);
    EXPECT_EQ(coreLimit, 0u);
    EXPECT_EQ(dumpable, 0);
    EXPECT_NE(processId, static_cast<long>(::getpid()));
}

TEST_F(PluginLoader, TifAndTiffBothReachTheTiffPlugin) {
    Install("iftiff.spi");
    EXPECT_EQ(Load("a.tif", "ok").code, 0);
    EXPECT_EQ(Load("a.TIFF", "ok").code, 0);
    EXPECT_EQ(*Load("a.png", "ok").failureMessage, "ifPNG.spiが見つかりません");
}

TEST_F(PluginLoader, AMissingPluginIsToldFromOneThatCannotBeUsed) {
    EXPECT_EQ(*Load("a.png", "ok").failureMessage, "ifPNG.spiが見つかりません");
    EXPECT_FALSE(LibraryExists("ifPNG.spi", where_));
    tree_.AddFile("plugins/ifPNG.spi", "not a library");
    EXPECT_TRUE(LibraryExists("ifPNG.spi", where_));
    EXPECT_EQ(*Load("a.png", "ok").failureMessage, "ifPNG.spiによる表示に失敗しました");
    // A library without GetPicture (the host's block functions are not one).
    CopyFile(PELMORA_NO_GETPICTURE_LIBRARY, plugins_ + "/ifPNG.spi");
    EXPECT_EQ(*Load("a.png", "ok").failureMessage, "ifPNG.spiによる表示に失敗しました");
}

TEST_F(PluginLoader, TheFirstFolderThatHoldsThePluginWins) {
    const std::string second = tree_.AddFolder("second");
    tree_.AddFile("second/ifPCX.spi", "not a library");
    Install("ifPCX.spi");
    EXPECT_EQ(LoadPluginPicture(tree_.AddFile("a.pcx", "ok"), {{plugins_, second}, false}).code, 0);
    EXPECT_TRUE(LoadPluginPicture(tree_ / "a.pcx", {{second, plugins_}, false}).failureMessage);
    EXPECT_EQ(LoadPluginPicture(tree_ / "a.pcx", {{tree_ / "none", second}, false}).failureMessage,
              "ifPCX.spiによる表示に失敗しました");
}

TEST(PluginFolderSearch, TheSystemLibraryPathComesAfterTheProgramsFolders) {
    TempTree tree;
    const std::string first = tree.AddFolder("first");
    const std::string system = tree.AddFile("system/ifpi.spi", "x");
    const char* saved = std::getenv("LD_LIBRARY_PATH");
    const std::string before = saved != nullptr ? saved : "";
    ::setenv("LD_LIBRARY_PATH", (tree / "none:" + tree / "system").c_str(), 1);
    EXPECT_EQ(FindPluginLibrary("ifpi.spi", {{first}, true}), system);
    EXPECT_EQ(FindPluginLibrary("ifpi.spi", {{first}, false}), std::nullopt);
    EXPECT_EQ(FindPluginLibrary("ifpi.spi", {{first, tree / "system"}, false}), system);
    const std::string own = tree.AddFile("first/ifpi.spi", "x");
    EXPECT_EQ(FindPluginLibrary("ifpi.spi", {{first}, true}), own);
    // A folder is not a library.
    tree.AddFolder("first/ifmag.spi");
    EXPECT_FALSE(LibraryExists("ifmag.spi", {{first}, false}));
    if (saved != nullptr) {
        ::setenv("LD_LIBRARY_PATH", before.c_str(), 1);
    } else {
        ::unsetenv("LD_LIBRARY_PATH");
    }
}

// The loader's own search of a bare name would look in the current folder for an empty entry
// of LD_LIBRARY_PATH (read when a process starts, hence the probe program): a plug-in lying
// beside the pictures must not run.
TEST(PluginFolderSearch, NoPluginIsTakenFromTheCurrentFolder) {
    TempTree tree;
    const std::string here = tree.AddFolder("downloads");
    CopyFile(PELMORA_TEST_PLUGIN, here + "/ifmag.spi");
    tree.AddFile("downloads/a.mag", "ok");
    const std::string probe = std::string("cd ") + testing::ShellQuote(here) + " && LD_LIBRARY_PATH=" +
                              testing::ShellQuote(tree / "none") + ": " + PELMORA_PLUGIN_PICTURE_PROBE + " a.mag";
    EXPECT_EQ(testing::Capture(probe), "ifmag.spiが見つかりません\n");
    // Relative entries name folders below the current one: ignored too.
    tree.AddFolder("downloads/sub");
    CopyFile(PELMORA_TEST_PLUGIN, here + "/sub/ifmag.spi");
    const std::string relative = std::string("cd ") + testing::ShellQuote(here) + " && LD_LIBRARY_PATH=sub:. " +
                                 PELMORA_PLUGIN_PICTURE_PROBE + " a.mag";
    EXPECT_EQ(testing::Capture(relative), "ifmag.spiが見つかりません\n");
    // The same plug-in in an absolute folder of the path is used.
    const std::string absolute = std::string("cd ") + testing::ShellQuote(here) + " && LD_LIBRARY_PATH=" +
                                 testing::ShellQuote(here + "/sub") + " " + PELMORA_PLUGIN_PICTURE_PROBE + " a.mag";
    EXPECT_EQ(testing::Capture(absolute), "code 0\n");
}

TEST(PluginFolderSearch, RelativeFoldersAndNamesAreNeverSearched) {
    TempTree tree;
    tree.AddFile("plugins/ifpi.spi", "x");
    const std::string before = std::filesystem::current_path();
    std::filesystem::current_path(tree.path());
    EXPECT_EQ(FindPluginLibrary("ifpi.spi", {{"plugins", "."}, false}), std::nullopt);
    EXPECT_EQ(FindPluginLibrary("ifpi.spi", {{"plugins", tree / "plugins"}, false}), tree / "plugins/ifpi.spi");
    std::string error;
    CopyFile(PELMORA_TEST_PLUGIN, tree / "plugins/ifpi.spi");
    EXPECT_EQ(platform::OpenSharedLibrary("plugins/ifpi.spi", error), nullptr);
    EXPECT_FALSE(error.empty());
    EXPECT_NE(platform::OpenSharedLibrary(tree / "plugins/ifpi.spi", error), nullptr);
    std::filesystem::current_path(before);

    const char* saved = std::getenv("LD_LIBRARY_PATH");
    const std::string kept = saved != nullptr ? saved : "";
    ::setenv("LD_LIBRARY_PATH", ("::lib:./x:" + tree / "plugins" + ":").c_str(), 1);
    const std::vector<std::string> folders = platform::SystemLibraryFolders();
    ASSERT_FALSE(folders.empty());
    EXPECT_EQ(folders.front(), tree / "plugins");
    for (const std::string& folder : folders) EXPECT_EQ(folder.front(), '/') << folder;
    if (saved != nullptr) {
        ::setenv("LD_LIBRARY_PATH", kept.c_str(), 1);
    } else {
        ::unsetenv("LD_LIBRARY_PATH");
    }
}

// ---- The shipped plug-ins on files written here.

// Pixel of a test picture: colours that differ in every channel across the picture.
std::uint32_t Sample(int x, int y) {
    return 0xff000000u | static_cast<std::uint32_t>(x * 37 % 256) << 16 | static_cast<std::uint32_t>(y * 59 % 256) << 8 |
           static_cast<std::uint32_t>((x + y) * 23 % 256);
}

PluginPicture LoadShipped(const std::string& path) { return LoadPluginPicture(path, {{PELMORA_SHIPPED_PLUGINS}, false}); }

TEST(ShippedPlugins, TiffWrittenByLibtiffDecodesToItsPixels) {
    TempTree tree;
    const std::string path = tree / "picture.tiff";
    const int width = 7, height = 5;
    TIFF* tiff = TIFFOpen(path.c_str(), "w");
    ASSERT_NE(tiff, nullptr);
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 2);
    std::vector<std::uint32_t> expected;
    for (int y = 0; y < height; ++y) {
        std::vector<std::uint8_t> row;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t pixel = Sample(x, y);
            expected.push_back(pixel);
            row.insert(row.end(), {static_cast<std::uint8_t>(pixel >> 16), static_cast<std::uint8_t>(pixel >> 8),
                                   static_cast<std::uint8_t>(pixel)});
        }
        ASSERT_EQ(TIFFWriteScanline(tiff, row.data(), static_cast<std::uint32_t>(y), 0), 1);
    }
    TIFFClose(tiff);
    const PluginPicture decoded = LoadShipped(path);
    ASSERT_EQ(decoded.code, 0);
    EXPECT_EQ(decoded.picture.width, width);
    EXPECT_EQ(PixelsOf(decoded), expected);
    // A damaged file: the plug-in says so and returns no blocks.
    std::string bytes = testing::ReadFile(path);
    bytes.resize(40);
    testing::WriteFile(tree / "cut.tif", bytes);
    EXPECT_EQ(LoadShipped(tree / "cut.tif").code, 10);
}

// A PCX file: the header, then each row's planes run-length coded (runs never cross rows).
std::string Pcx(int width, int height, int bits, int planes, int lineBytes, const std::vector<std::uint8_t>& rows,
                const std::string& headerPalette = "", const std::string& endPalette = "") {
    std::string file(128, '\0');
    file[0] = 0x0a;
    file[1] = 5;
    file[2] = 1;
    file[3] = static_cast<char>(bits);
    file[8] = static_cast<char>(width - 1);
    file[10] = static_cast<char>(height - 1);
    file.replace(16, headerPalette.size(), headerPalette);
    file[65] = static_cast<char>(planes);
    file[66] = static_cast<char>(lineBytes);
    for (std::size_t at = 0; at < rows.size();) {
        const std::size_t rowEnd = (at / static_cast<std::size_t>(lineBytes) + 1) * static_cast<std::size_t>(lineBytes);
        std::size_t run = 1;
        while (at + run < rowEnd && run < 63 && rows[at + run] == rows[at]) ++run;
        if (run > 1 || rows[at] >= 0xc0) file += static_cast<char>(0xc0 | run);
        file += static_cast<char>(rows[at]);
        at += run;
    }
    return file + endPalette;
}

TEST(ShippedPlugins, PcxInEachDepthDecodesToItsPixels) {
    TempTree tree;
    const int width = 5, height = 3;
    std::string palette16;
    for (int i = 0; i < 16; ++i) palette16 += {static_cast<char>(i * 16), static_cast<char>(255 - i), static_cast<char>(i)};
    auto colour16 = [&](int i) {
        return 0xff000000u | static_cast<std::uint32_t>(i * 16) << 16 | static_cast<std::uint32_t>(255 - i) << 8 |
               static_cast<std::uint32_t>(i);
    };
    auto index = [](int x, int y) { return (x * 3 + y * 5) % 16; };
    std::vector<std::uint32_t> expected16;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) expected16.push_back(colour16(index(x, y)));

    struct Case {
        const char* name;
        std::string file;
        std::vector<std::uint32_t> expected;
    };
    std::vector<Case> cases;
    {  // 24 bits: red, green and blue planes of 6 bytes (even line length)
        std::vector<std::uint8_t> rows;
        std::vector<std::uint32_t> expected;
        for (int y = 0; y < height; ++y) {
            for (int shift : {16, 8, 0}) {
                for (int x = 0; x < 6; ++x) rows.push_back(x < width ? static_cast<std::uint8_t>(Sample(x, y) >> shift) : 0);
            }
            for (int x = 0; x < width; ++x) expected.push_back(Sample(x, y));
        }
        cases.push_back({"rgb.pcx", Pcx(width, height, 8, 3, 6, rows), expected});
    }
    {  // 8 bits with the palette at the end; a long run of one value
        std::vector<std::uint8_t> rows;
        std::string endPalette = "\x0c";
        for (int i = 0; i < 256; ++i) endPalette += {static_cast<char>(i), static_cast<char>(255 - i), static_cast<char>(i / 2)};
        std::vector<std::uint32_t> expected;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < 6; ++x) {
                const int i = y == 1 ? 200 : x * 50 + y;
                rows.push_back(static_cast<std::uint8_t>(i));
                if (x < width)
                    expected.push_back(0xff000000u | static_cast<std::uint32_t>(i) << 16 |
                                       static_cast<std::uint32_t>(255 - i) << 8 | static_cast<std::uint32_t>(i / 2));
            }
        cases.push_back({"256.pcx", Pcx(width, height, 8, 1, 6, rows, "", endPalette), expected});
    }
    {  // 16 colours in four 1-bit planes, and in one 4-bit plane
        std::vector<std::uint8_t> planar, packed;
        for (int y = 0; y < height; ++y) {
            for (int plane = 0; plane < 4; ++plane) {
                std::uint8_t bits = 0;
                for (int x = 0; x < width; ++x) bits |= static_cast<std::uint8_t>(((index(x, y) >> plane) & 1) << (7 - x));
                planar.insert(planar.end(), {bits, 0});
            }
            for (int x = 0; x < 6; x += 2)
                packed.push_back(static_cast<std::uint8_t>(index(x, y) << 4 | (x + 1 < width ? index(x + 1, y) : 0)));
            packed.push_back(0);
        }
        cases.push_back({"planar.pcx", Pcx(width, height, 1, 4, 2, planar, palette16), expected16});
        cases.push_back({"packed.pcx", Pcx(width, height, 4, 1, 4, packed, palette16), expected16});
    }
    {  // black and white
        const std::vector<std::uint8_t> rows{0b10100000, 0, 0b01010000, 0, 0b11111000, 0};
        const std::uint32_t w = kWhite, b = kBlack;
        cases.push_back({"mono.pcx", Pcx(width, height, 1, 1, 2, rows),
                         {w, b, w, b, b, b, w, b, w, b, w, w, w, w, w}});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PluginPicture decoded = LoadShipped(tree.AddFile(c.name, c.file));
        ASSERT_EQ(decoded.code, 0);
        EXPECT_EQ(decoded.picture.width, width);
        EXPECT_EQ(decoded.picture.height, height);
        EXPECT_EQ(PixelsOf(decoded), c.expected);
    }
    // Not a PCX file, and a header with no rows after it.
    EXPECT_EQ(LoadShipped(tree.AddFile("text.pcx", "hello")).code, 10);
    EXPECT_EQ(LoadShipped(tree.AddFile("empty.pcx", cases[0].file.substr(0, 128))).code, 10);
}

// ---- A plug-in built outside the project's tree from the installed header and the README.

std::string ReadmeExample() {
    const std::string readme = testing::ReadFile(PELMORA_README);
    const auto section = readme.find("## Writing an image plug-in");
    const auto start = readme.find("```c\n", section);
    const auto end = readme.find("\n```\n", start);
    if (section == std::string::npos || start == std::string::npos || end == std::string::npos) return {};
    return readme.substr(start + 5, end - start - 4);
}

TEST(ThirdPartyPlugin, TheReadmeExampleBuiltAgainstTheInstalledHeaderShowsAPicture) {
    TempTree tree;
    const std::string source = ReadmeExample();
    ASSERT_FALSE(source.empty());
    testing::WriteFile(tree / "example/ifppm.c", source);
    using testing::ShellQuote;
    const std::string prefix = tree / "installed";
    ASSERT_EQ(std::system((ShellQuote(PELMORA_CMAKE) + " --install " + ShellQuote(PELMORA_BUILD_DIR) +
                           " --component plugin_sdk --prefix " + ShellQuote(prefix) + " >/dev/null")
                              .c_str()),
              0);
    ASSERT_TRUE(std::filesystem::exists(prefix + "/include/pelmora_spi.h"));
    // Only the installed header is on the include path; strict C99 with warnings as errors.
    const std::string plugins = tree.AddFolder("plugins");
    ASSERT_EQ(std::system((ShellQuote(PELMORA_C_COMPILER) + " -std=c99 -Wall -Wextra -Wpedantic -Werror -shared -fPIC -I " +
                           ShellQuote(prefix + "/include") + " -o " + ShellQuote(plugins + "/ifmag.spi") + " " +
                           ShellQuote(tree / "example/ifppm.c"))
                              .c_str()),
              0);

    std::string ppm = "P6\n3 2\n255\n";
    for (std::uint32_t pixel : {kRed, kGreen, kBlue, kWhite, kBlack, kGrey})
        ppm += {static_cast<char>(pixel >> 16), static_cast<char>(pixel >> 8), static_cast<char>(pixel)};
    const PluginPicture decoded = LoadPluginPicture(tree.AddFile("picture.mag", ppm), {{plugins}, false});
    ASSERT_EQ(decoded.code, 0);
    EXPECT_EQ(decoded.picture.width, 3);
    EXPECT_EQ(PixelsOf(decoded), (std::vector<std::uint32_t>{kRed, kGreen, kBlue, kWhite, kBlack, kGrey}));
    EXPECT_EQ(LoadPluginPicture(tree.AddFile("short.mag", "P6\n3 2\n255\nabc"), {{plugins}, false}).code, 10);
}

}  // namespace
}  // namespace pelmora
