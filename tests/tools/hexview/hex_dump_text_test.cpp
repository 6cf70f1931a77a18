#include "tools/hexview/hex_dump_text.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/temp_tree.h"
#include "tools/hexview/hex_view_labels.h"

namespace pelmora {
namespace {

const std::string kFailed = "読み取りに失敗しました";

class HexDumpTextTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& bytes) { return tree_.AddFile(name, bytes); }
    static std::string Bytes(std::size_t count, unsigned char first = 0) {
        std::string bytes;
        for (std::size_t i = 0; i < count; ++i) bytes += static_cast<char>(static_cast<unsigned char>(first + i));
        return bytes;
    }
    static std::vector<std::string> Lines(const std::string& dump) {
        std::vector<std::string> lines;
        std::size_t start = 0;
        for (std::size_t end; (end = dump.find("\r\n", start)) != std::string::npos; start = end + 2) {
            lines.push_back(dump.substr(start, end - start));
        }
        EXPECT_EQ(start, dump.size()) << "text after the last CR LF";
        return lines;
    }
    testing::TempTree tree_;
    const std::filesystem::path folder_ = tree_.path();
};

TEST_F(HexDumpTextTest, GreetingFileDumpsAsTwoLinesByteForByte) {
    const std::string path = Write("hello.txt", "Hello, hex viewer!\r\n");
    EXPECT_EQ(HexDumpText(path, 1024),
              "0000: 48 65 6C 6C 6F 2C 20 68 65 78 20 76 69 65 77 65     Hello,.hex.viewe\r\n"
              "0010: 72 21 0D 0A " + std::string(40, ' ') + "r!..\r\n");
}

// Every line keeps the character column at one place, whatever its byte count.
TEST_F(HexDumpTextTest, LineCountsAndGapsFollowTheFileLength) {
    struct Case {
        std::size_t length;
        std::size_t lines;
        std::size_t lastLineBytes;
    };
    // 17 bytes: a second line of one byte, 49 spaces before its character.
    for (const Case c : {Case{1, 1, 1}, Case{15, 1, 15}, Case{16, 1, 16}, Case{17, 2, 1}, Case{32, 2, 16},
                         Case{33, 3, 1}, Case{100, 7, 4}}) {
        SCOPED_TRACE(c.length);
        std::string content;
        for (std::size_t i = 0; i < c.length; ++i) content += static_cast<char>('a' + i % 26);
        const std::string path = Write("f.bin", content);
        const auto lines = Lines(HexDumpText(path, 1024));
        ASSERT_EQ(lines.size(), c.lines);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::size_t bytes = i + 1 == lines.size() ? c.lastLineBytes : 16;
            const std::string& line = lines[i];
            ASSERT_EQ(line.size(), 6 + 52 + bytes);
            char offset[8];
            std::snprintf(offset, sizeof offset, "%04zX: ", i * 16);
            EXPECT_EQ(line.substr(0, 6), offset);
            EXPECT_EQ(line.substr(6 + 3 * bytes), std::string(52 - 3 * bytes, ' ') + content.substr(i * 16, bytes))
                << line;
        }
    }
}

TEST_F(HexDumpTextTest, OnlyPrintableAsciiAndDelShowThemselves) {
    const std::string path = Write("all.bin", Bytes(256));
    const auto lines = Lines(HexDumpText(path, 1024));
    ASSERT_EQ(lines.size(), 16u);
    std::string column;
    for (const auto& line : lines) column += line.substr(6 + 52);
    ASSERT_EQ(column.size(), 256u);
    for (int value = 0; value < 256; ++value) {
        const bool itself = value >= 0x21 && value <= 0x7F;
        EXPECT_EQ(column[value], itself ? static_cast<char>(value) : '.') << "byte " << value;
    }
    EXPECT_EQ(lines[15].substr(0, 54), "00F0: F0 F1 F2 F3 F4 F5 F6 F7 F8 F9 FA FB FC FD FE FF ");
}

TEST_F(HexDumpTextTest, ReadsOnlyTheFirstCountBytes) {
    const std::string path = Write("long.bin", std::string(40, 'a') + std::string(60, 'b'));
    const std::string dump = HexDumpText(path, 40);
    const auto lines = Lines(dump);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2], "0020: 61 61 61 61 61 61 61 61 " + std::string(28, ' ') + "aaaaaaaa");
    EXPECT_EQ(dump.find('b'), std::string::npos);

    EXPECT_EQ(Lines(HexDumpText(path, 1024)).size(), 7u) << "a shorter file is dumped whole";
    EXPECT_EQ(HexDumpText(path, 0), "");
}

TEST_F(HexDumpTextTest, EmptyFileGivesEmptyTextUnreadablePathsFailOddNamesAreRead) {
    EXPECT_EQ(HexDumpText(Write("empty.bin", ""), 1024), "");
    EXPECT_EQ(HexDumpText(folder_.string(), 1024), kFailed);
    EXPECT_EQ(HexDumpText((folder_ / "missing.bin").string(), 1024), kFailed);
    EXPECT_EQ(HexDumpText("", 1024), kFailed);

    const std::string fifo = (folder_ / "pipe").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(HexDumpText(fifo, 1024), kFailed) << "a FIFO must be refused, not read";

    const std::string oddName = Write(std::string("bad\xFF\xFEname.bin"), "xyz");
    EXPECT_EQ(HexDumpText(oddName, 1024), "0000: 78 79 7A " + std::string(43, ' ') + "xyz\r\n");
}

TEST_F(HexDumpTextTest, FileWithoutReadPermissionFails) {
    const std::string path = Write("locked.bin", "secret");
    std::filesystem::permissions(path, std::filesystem::perms::none);
    if (access(path.c_str(), R_OK) == 0) GTEST_SKIP() << "running with rights that read any file";
    EXPECT_EQ(HexDumpText(path, 1024), kFailed);
}

TEST_F(HexDumpTextTest, LabelsShowPathDateAndGroupedSize) {
    const std::string path = Write("name with spaces.bin", std::string(1234, 'q'));
    // 2004-05-06 07:08:09 local time: the hour is not zero-padded.
    std::tm when{};
    when.tm_year = 104, when.tm_mon = 4, when.tm_mday = 6, when.tm_hour = 7, when.tm_min = 8, when.tm_sec = 9;
    when.tm_isdst = -1;
    const std::time_t stamp = std::mktime(&when);
    const timespec times[2] = {{stamp, 0}, {stamp, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);

    const HexViewLabelTexts labels = HexViewLabels(path);
    EXPECT_EQ(labels.path, "Path:[ " + path + " ]");
    EXPECT_EQ(labels.update, "Update:[ 2004/05/06 7:08:09 ]");
    EXPECT_EQ(labels.size, "Size:[ 1,234byte ]");

    EXPECT_EQ(HexViewLabels(Write("empty.bin", "")).size, "Size:[ 0byte ]");

    // A path without a file keeps its date and size empty.
    for (const std::string& missing : {(folder_ / "missing.bin").string(), folder_.string(), std::string()}) {
        const HexViewLabelTexts empty = HexViewLabels(missing);
        EXPECT_EQ(empty.path, "Path:[ " + missing + " ]");
        EXPECT_EQ(empty.update, "Update:[ ]");
        EXPECT_EQ(empty.size, "Size:[ ]");
    }
}

TEST(HexDumpOfBytes, OffsetsGrowPastFourDigits) {
    std::vector<unsigned char> bytes(0x10000 + 16, 0x41);
    const std::string dump = HexDumpOfBytes(bytes.data(), bytes.size());
    EXPECT_EQ(dump.substr(dump.rfind("FFF0: ") - 1, 7), "\nFFF0: ");
    EXPECT_EQ(dump.substr(dump.size() - 77, 7), "10000: ");
    EXPECT_EQ(dump.size(), 0x1000u * 76 + 77);
}

TEST(GroupedNumberText, GroupsDigitsByThree) {
    const std::pair<std::int64_t, const char*> cases[] = {
        {0, "0"},         {7, "7"},           {999, "999"},           {1000, "1,000"},
        {1234, "1,234"},  {65536, "65,536"},  {1234567, "1,234,567"}, {-1234, "-1,234"},
        {100000, "100,000"}, {INT64_MIN, "-9,223,372,036,854,775,808"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(GroupedNumberText(value), text);
    EXPECT_EQ(ReadCountLabelText(4096), "先頭より 4,096byte読み込みます");
}

}  // namespace
}  // namespace pelmora
