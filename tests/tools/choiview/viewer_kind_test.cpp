#include "tools/choiview/viewer_kind.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <set>

#include "settings/key_table.h"
#include "tests/support/temp_tree.h"
#include "tools/choiview/binary_file_check.h"
#include "tools/choiview/viewer_file_names.h"

namespace pelmora {
namespace {

// Every gate open but the ones named.
Settings AllOpenBut(std::initializer_list<std::string Settings::*> closed) {
    Settings settings;
    for (const ViewerKindRule& rule : ViewerKindRules()) settings.*(rule.gate) = "1";
    settings.CV_other_txt = "1";
    for (auto gate : closed) settings.*gate = "0";
    return settings;
}

TEST(ViewerKind, EveryExtensionOfTheTableWithItsGateOpenAndClosed) {
    const std::pair<const char*, const char*> expected[] = {
        {"LZH", "ARC"},    {"ZIP", "ARC"},    {"TXT", "TEXT"},   {"DIB", "PBOX"},    {"BMP", "PBOX"},
        {"RLE", "PBOX"},   {"ICO", "PBOX"},   {"EMF", "PBOX"},   {"WMF", "PBOX"},    {"GIF", "IE"},
        {"JPEG", "IE"},    {"JPG", "IE"},     {"MAG", "SUSIE"},  {"PI", "SUSIE"},    {"PIC", "SUSIE"},
        {"P2", "SUSIE"},   {"PICT", "SUSIE"}, {"PCT", "SUSIE"},  {"Q4", "SUSIE"},    {"TIFF", "SUSIE"},
        {"TIF", "SUSIE"},  {"PCX", "SUSIE"},  {"PNG", "SUSIE"},  {"MP3", "MPLAYER"}, {"WAV", "MPLAYER"},
        {"SND", "MPLAYER"}, {"AU", "MPLAYER"}, {"AIF", "MPLAYER"}, {"AIFC", "MPLAYER"}, {"AIFF", "MPLAYER"},
        {"MIDI", "MPLAYER"}, {"MID", "MPLAYER"}, {"RMI", "MPLAYER"}, {"MPEG", "MPLAYER"}, {"MPG", "MPLAYER"},
        {"M1V", "MPLAYER"}, {"MP2", "MPLAYER"}, {"MPA", "MPLAYER"}, {"MPE", "MPLAYER"}, {"AVI", "MPLAYER"},
        {"WM", "MPLAYER"}, {"ASF", "MPLAYER"}, {"WMA", "MPLAYER"}, {"WMV", "MPLAYER"}, {"DOC", "IE"},
        {"RTF", "IE"},     {"XLS", "IE"},     {"PPT", "IE"},     {"VSD", "IE"},      {"HTML", "IE"},
        {"HTM", "IE"},     {"MHT", "IE"},     {"SWF", "IE"},     {"PDF", "IE"},
    };
    const Settings open = AllOpenBut({});
    std::set<std::string_view> seen;
    for (const auto& [extension, kind] : expected) {
        EXPECT_EQ(ViewerKindOfExtension(extension, open), kind) << extension;
        seen.insert(extension);
    }
    std::size_t named = 0;
    for (const ViewerKindRule& rule : ViewerKindRules()) {
        named += rule.extensions.size();
        // Each gate is a ChoiView key; closing it alone sends its extensions on.
        Settings closed = open;
        closed.*(rule.gate) = "0";
        for (std::string_view extension : rule.extensions) {
            EXPECT_TRUE(seen.count(extension)) << extension;
            const std::string_view kind = ViewerKindOfExtension(extension, closed);
            if (rule.closedGateShowsNothing) {
                EXPECT_EQ(kind, "") << extension;
            } else if (extension != "JPEG" && extension != "JPG") {
                EXPECT_EQ(kind, "other_TEXT") << extension;
            }
        }
    }
    EXPECT_EQ(named, std::size(expected) + 2);  // JPEG and JPG have two rules
    EXPECT_EQ(ViewerKindRules().size(), 31u);
}

TEST(ViewerKind, FallThroughJpegRulesAndGateSpelling) {
    // LZH, ZIP and TXT never fall to other_TEXT.
    EXPECT_EQ(ViewerKindOfExtension("LZH", AllOpenBut({&Settings::CV_lzh})), "");
    EXPECT_EQ(ViewerKindOfExtension("ZIP", AllOpenBut({&Settings::CV_zip})), "");
    EXPECT_EQ(ViewerKindOfExtension("TXT", AllOpenBut({&Settings::CV_txt})), "");
    EXPECT_EQ(ViewerKindOfExtension("BMP", AllOpenBut({&Settings::CV_bmp})), "other_TEXT");
    EXPECT_EQ(ViewerKindOfExtension("BMP", AllOpenBut({&Settings::CV_bmp, &Settings::CV_other_txt})), "");

    EXPECT_EQ(ViewerKindOfExtension("JPG", AllOpenBut({})), "IE");
    EXPECT_EQ(ViewerKindOfExtension("JPG", AllOpenBut({&Settings::CV_jpg})), "SUSIE");
    EXPECT_EQ(ViewerKindOfExtension("JPEG", AllOpenBut({&Settings::CV_jpg, &Settings::CV_Su_jpg})), "other_TEXT");

    for (const char* value : {"true", " 1", "", "01"}) {
        Settings settings = AllOpenBut({});
        settings.CV_txt = value;
        EXPECT_EQ(ViewerKindOfExtension("TXT", settings), "") << value;
    }
    const Settings open = AllOpenBut({});
    EXPECT_EQ(ViewerKindOfExtension("txt", open), "other_TEXT");  // only upper case matches
    for (const char* other : {"CSV", "LOG", "INI"}) {
        EXPECT_EQ(ViewerKindOfExtension(other, open), "other_TEXT");
        EXPECT_EQ(ViewerKindOfExtension(other, AllOpenBut({&Settings::CV_other_txt})), "");
    }
    for (const ViewerKindRule& rule : ViewerKindRules()) {
        bool isChoiViewKey = false;
        for (const KeyDescriptor& key : KeyTable())
            isChoiViewKey |= key.section == kSectionChoiView && TextField(open, key) == &(open.*(rule.gate));
        EXPECT_TRUE(isChoiViewKey) << rule.extensions.front();
    }
}

TEST(ViewerFileNames, ViewerAndPluginExtensions) {
    EXPECT_EQ(ViewerExtension("/a/b/Notes.txt"), "TXT");
    EXPECT_EQ(ViewerExtension("/a/b/noext"), "");
    EXPECT_EQ(ViewerExtension("/a/b/ends."), "");

    EXPECT_EQ(PluginExtension("/p/x.tif"), "TIF");
    EXPECT_EQ(PluginExtension("/p/x.Tiff"), "TIFF");
    EXPECT_EQ(PluginExtension("/p/x.jpeg"), "JPEG");
    EXPECT_EQ(PluginExtension("/p/x.q4"), "Q4");
    EXPECT_EQ(PluginExtension("/p/x.p"), "p/x.p");  // no dot 3 to 5 from the end: the last five
    EXPECT_EQ(PluginExtension("/p/x.abcde"), "abcde");
    EXPECT_EQ(PluginExtension("ab"), "ab");
}

TEST(BinaryFileCheck, NulWithinTheCheckSizeEmptyMissingAndFifo) {
    testing::TempTree tree;
    std::string late(3000, 'a');
    late[2500] = '\0';
    const std::string latePath = tree.AddFile("late.csv", late);
    EXPECT_FALSE(IsBinaryFile(latePath, 2048));
    EXPECT_TRUE(IsBinaryFile(latePath, 2501));
    EXPECT_FALSE(IsBinaryFile(latePath, 2500));
    EXPECT_TRUE(IsBinaryFile(tree.AddFile("first.csv", std::string("\0x", 2)), 128));
    EXPECT_FALSE(IsBinaryFile(tree.AddFile("short.csv", "abc"), 204800));
    EXPECT_TRUE(IsBinaryFile(tree.AddFile("empty.csv"), 2048));
    EXPECT_TRUE(IsBinaryFile(tree / "missing.csv", 2048));
    EXPECT_TRUE(IsBinaryFile(tree.path(), 2048));
    const std::string fifo = tree / "pipe.csv";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_TRUE(IsBinaryFile(fifo, 2048));  // returns at once: nobody writes to it

    Settings settings;
    settings.CV_other_txt = "1";
    settings.CV_txt_CheckSize = 2048;
    EXPECT_EQ(ViewerKindOfFile(latePath, settings), "other_TEXT");
    settings.CV_txt_CheckSize = 4096;
    EXPECT_EQ(ViewerKindOfFile(latePath, settings), "");
    EXPECT_EQ(ViewerKindOfFile(tree.AddFile("plain"), settings), "");
}

}  // namespace
}  // namespace pelmora
