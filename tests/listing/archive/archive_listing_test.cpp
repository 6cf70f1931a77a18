#include "listing/archive/archive_listing.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>
#include <zip.h>

#include <chrono>
#include <filesystem>
#include <future>

#include "listing/archive/lzh_listing.h"
#include "listing/archive/zip_listing.h"
#include "tests/support/fake_job_context.h"
#include "tests/support/temp_tree.h"

namespace pelmora {
namespace {

using testing::Capture;
using testing::ToolInstalled;
const auto Quote = testing::ShellQuote;

std::string CrLf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

std::string TrimSpaces(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

class ArchiveListingTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Contents with a known, old time, so every stamp shows its year.
        Write("in/hello.txt", "hello\n");
        std::string repetitive;
        for (int i = 0; i < 3000; ++i) repetitive += "line " + std::to_string(i) + "\n";
        Write("in/sub/long.txt", repetitive);
        Write("in/sub/empty", "");
        Run("touch -d '2019-05-06 07:08:09' " + Quote(root_) + "/in/hello.txt " + Quote(root_) + "/in/sub/* " +
            Quote(root_) + "/in/sub " + Quote(root_) + "/in");
    }
    void Write(const std::string& relative, const std::string& content) { tree_.AddFile(relative, content); }
    void Run(const std::string& command) { ASSERT_EQ(std::system(command.c_str()), 0) << command; }
    void MakeOld(const std::string& path) {
        struct utimbuf times {946684800, 946684800};  // 2000-01-01
        ::utime(path.c_str(), &times);
    }

    testing::TempTree tree_;
    const std::string root_ = tree_.path();
};

// Our ZIP text is unzip's own listing with CR LF line ends, over several kinds of archive.
TEST_F(ArchiveListingTest, ZipListingEqualsUnzipVerbose) {
    if (!ToolInstalled("zip") || !ToolInstalled("unzip")) GTEST_SKIP() << "zip/unzip not installed";
    const struct {
        const char* name;
        const char* options;
    } kinds[] = {
        {"plain.zip", "-r"},          {"best.zip", "-r -9"},       {"fast.zip", "-r -1"},
        {"stored.zip", "-r -0"},      {"noextra.zip", "-r -X"},    {"single.zip", "-j"},
    };
    for (const auto& kind : kinds) {
        const std::string archive = root_ + "/" + kind.name;
        const std::string members = std::string(kind.name) == "single.zip" ? "in/hello.txt" : "in";
        Run("cd " + Quote(root_) + " && zip -q " + kind.options + " " + kind.name + " " + members);
        if (std::string(kind.name) == "plain.zip") Run("printf 'first\\nsecond' | zip -qz " + Quote(archive));
        const std::string expected = TrimSpaces(CrLf(Capture("unzip -v " + Quote(archive) + " 2>/dev/null")));
        testing::FakeDialogs dialogs;
        EXPECT_EQ(ArchiveListing(archive, &dialogs), expected) << kind.name;
        EXPECT_TRUE(dialogs.messages.empty());
    }
}

TEST_F(ArchiveListingTest, LzhListingFollowsLhasaAndDecodesShiftJisNames) {
    if (!ToolInstalled("jlha") || !ToolInstalled("lhasa")) GTEST_SKIP() << "jlha/lhasa not installed";
    Write("in/日本.txt", "x");
    Run("touch -d '2019-05-06 07:08:09' " + Quote(root_ + "/in/日本.txt"));
    for (const char* level : {"a0y", "a1y", "a2y"}) {
        const std::string archive = root_ + "/" + level + ".LZH";
        Run("cd " + Quote(root_) + " && jlha " + level + " " + Quote(archive) +
            " in/hello.txt in/sub/long.txt in/sub/empty in/日本.txt >/dev/null 2>&1");
        MakeOld(archive);
        std::string expected = TrimSpaces(Capture("lhasa v " + Quote(archive)));
        // lhasa prints "?" for each byte of the Shift_JIS name ("日本" is 93 FA 96 7B).
        const std::string shown = "in/???{.txt";
        const auto at = expected.find(shown);
        ASSERT_NE(at, std::string::npos) << expected;
        expected.replace(at, shown.size(), "in/日本.txt");
        testing::FakeDialogs dialogs;
        EXPECT_EQ(ArchiveListing(archive, &dialogs), CrLf(expected)) << level;
        EXPECT_TRUE(dialogs.messages.empty());
    }
}

// In Shift_JIS the second byte of "ソ" and "表" is 0x5C, the folder separator of level 0 and 1
// headers: such names must come out whole, in their folders, at every level.
TEST_F(ArchiveListingTest, ShiftJisNamesWithSeparatorBytesStayWhole) {
    if (!ToolInstalled("jlha")) GTEST_SKIP() << "jlha not installed";
    Write("sj/ソフト.txt", "a");
    Write("sj/深い/表示.txt", "b");
    for (const char* level : {"a0y", "a1y", "a2y"}) {
        const std::string archive = root_ + "/" + level + "-sj.lzh";
        Run("cd " + Quote(root_) + " && jlha " + level + " " + Quote(archive) + " sj >/dev/null 2>&1");
        const std::string text = ArchiveListing(archive, nullptr);
        for (const char* name : {" sj/ソフト.txt\r\n", " sj/深い/\r\n", " sj/深い/表示.txt\r\n"}) {
            EXPECT_NE(text.find(name), std::string::npos) << level << ": " << name << "\n" << text;
        }
    }
}

// Damage and read failures: a damaged archive gives nothing and says nothing; a file that
// cannot be read at all is reported with the kind's two lines.
TEST_F(ArchiveListingTest, DamagedArchivesAreSilentUnreadableOnesReported) {
    Write("garbage.zip", "this is not an archive at all");
    Write("garbage.lzh", "this is not an archive at all");
    Write("empty.lzh", "");
    Write("empty.zip", "");
    Write("end-mark-only.lzh", std::string(1, '\0'));
    Write("zero-then-noise.lzh", std::string(1, '\0') + "\x5b\xe1\x07\x93 noise \x00\xff\x12-lh5-");
    Write("notes.txt", "plain text");
    tree_.AddFolder("folder.zip");
    tree_.AddFolder("folder.lzh");
    if (ToolInstalled("jlha")) {
        Run("cd " + Quote(root_) + " && jlha a1y whole.lzh in/hello.txt in/sub/long.txt >/dev/null 2>&1");
        const std::string whole = tree_.Read("whole.lzh");
        Write("cut.lzh", whole.substr(0, whole.size() / 2));
    }
    testing::FakeDialogs dialogs;
    for (const char* name :
         {"garbage.zip", "garbage.lzh", "empty.lzh", "empty.zip", "end-mark-only.lzh", "zero-then-noise.lzh",
          "notes.txt", "cut.lzh"}) {
        EXPECT_EQ(ArchiveListing(root_ + "/" + name, &dialogs), "") << name;
    }
    EXPECT_TRUE(dialogs.messages.empty());

    EXPECT_EQ(ArchiveListing(root_ + "/folder.zip", &dialogs), "");
    EXPECT_EQ(ArchiveListing(root_ + "/folder.lzh", &dialogs), "");
    EXPECT_EQ(dialogs.messages,
              (std::vector<std::string>{"ZIP取得に失敗しました\r\nlibzipのVerを確認してください",
                                        "LZH取得に失敗しました\r\nliblhasaのVerを確認してください"}));
    EXPECT_EQ(ArchiveListing(root_ + "/folder.zip", nullptr), "");  // no one to tell: still no crash
}

// A FIFO is not read (nothing would ever come): it is reported as a folder is.
TEST_F(ArchiveListingTest, FifosAreNotRead) {
    for (const std::string name : {"fifo.lzh", "fifo.zip"}) {
        const std::string fifo = root_ + "/" + name;
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
        testing::FakeDialogs dialogs;
        auto listing = std::async(std::launch::async, [&] { return ArchiveListing(fifo, &dialogs); });
        const bool finished = listing.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
        if (!finished) ::close(::open(fifo.c_str(), O_WRONLY | O_NONBLOCK));  // lets a waiting reader end
        EXPECT_TRUE(finished) << name << " was opened for reading";
        EXPECT_EQ(listing.get(), "");
        EXPECT_EQ(dialogs.messages.size(), 1u) << name;
    }
}

// A level-2 archive as a Unix archiver writes it (permissions, owner ids, a folder entry),
// built byte by byte: no archiver at hand writes these headers.
std::uint16_t Crc16(const std::string& bytes) {
    std::uint16_t crc = 0;
    for (unsigned char byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001) : crc >> 1;
    }
    return crc;
}

std::string Little(std::uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
}

std::string UnixMember(const std::string& folder, const std::string& name, const std::string& data,
                       std::uint16_t perms, std::uint16_t uid, std::uint16_t gid, std::uint32_t mtime,
                       const std::string& method = "") {
    std::vector<std::string> extensions = {std::string("\x00\x00\x00", 3), "\x01" + name};
    if (!folder.empty()) extensions.push_back("\x02" + folder + "\xFF");
    extensions.push_back("\x50" + Little(perms, 2));
    extensions.push_back("\x51" + Little(gid, 2) + Little(uid, 2));
    std::string chain;
    for (const std::string& extension : extensions) chain += Little(static_cast<std::uint32_t>(extension.size() + 2), 2) + extension;
    chain += Little(0, 2);
    const std::string base = (method.empty() ? std::string((perms & 0040000) ? "-lhd-" : "-lh0-") : method) +
                             Little(static_cast<std::uint32_t>(data.size()), 4) +
                             Little(static_cast<std::uint32_t>(data.size()), 4) + Little(mtime, 4) + "\x20\x02" +
                             Little(Crc16(data), 2) + "U";
    std::string header = Little(static_cast<std::uint32_t>(2 + base.size() + chain.size()), 2) + base + chain;
    const std::size_t crcAt = 2 + base.size() + 2 + 1;
    const std::uint16_t crc = Crc16(header);
    header[crcAt] = static_cast<char>(crc & 0xFF);
    header[crcAt + 1] = static_cast<char>(crc >> 8);
    return header + data;
}

// A central directory may claim a compressed size far beyond the end of the file: the ratio
// then leaves 32 bits, and is shown wrapped, as "unzip -v" shows it, without overflowing.
// One stored byte named "a"; 101 bytes in all.
TEST_F(ArchiveListingTest, ZipRatioOfAClaimedHugeSizeWrapsAsUnzipShowsIt) {
    const std::string name = "a", data = "x";
    const std::uint32_t crc = 0x8cdc1683;  // of "x"
    auto header = [&](std::uint32_t signature, bool central, std::uint32_t claimed) {
        std::string bytes = Little(signature, 4) + (central ? Little(20, 2) : "") + Little(10, 2) + Little(0, 2) +
                            Little(0, 2) + Little(0, 2) + Little(0x21, 2) + Little(crc, 4) + Little(claimed, 4) +
                            Little(1, 4) + Little(1, 2) + Little(0, 2);
        if (central) bytes += Little(0, 2) + Little(0, 2) + Little(0, 2) + Little(0, 4) + Little(0, 4);
        return bytes + name;
    };
    const std::string local = header(0x04034b50, false, 1) + data;
    const std::string central = header(0x02014b50, true, 268435457);
    const std::string end = Little(0x06054b50, 4) + Little(0, 4) + Little(1, 2) + Little(1, 2) +
                            Little(static_cast<std::uint32_t>(central.size()), 4) +
                            Little(static_cast<std::uint32_t>(local.size()), 4) + Little(0, 2);
    Write("huge.zip", local + central + end);
    ASSERT_EQ(tree_.Read("huge.zip").size(), 101u);

    const ArchiveListingResult result = ListZipMembers(root_ + "/huge.zip");
    ASSERT_EQ(result.status, ArchiveListingStatus::Listed);
    EXPECT_NE(result.text.find("\n       1  Stored 268435457 -214748365% 1980-01-01 00:00 8cdc1683  a\n"),
              std::string::npos)
        << result.text;
    EXPECT_NE(result.text.find("\n       1         268435457 -214748365%                            1 file\n"),
              std::string::npos)
        << result.text;
    if (ToolInstalled("unzip")) {
        EXPECT_EQ(result.text, Capture("unzip -v " + Quote(root_ + "/huge.zip")));
    }
}

// Control characters in a name, or in the method bytes, show "?" as in lhasa, so that no
// member splits its row.
TEST_F(ArchiveListingTest, LzhUnixHeadersShowPermissionsAndOwners) {
    const std::uint32_t midday = 1500033600;  // 2017-07-14 12:00 UTC: the 14th in every zone
    const std::string archive = root_ + "/unix.lzh";
    Write("unix.lzh", UnixMember("", "hello.txt", "hello\n", 0100644, 1000, 100, midday) +
                          UnixMember("sub", "", "", 0040755, 0, 0, midday) +
                          UnixMember("sub", "run.sh", "#!/bin/sh\n", 0104755, 65535, 12345, midday) +
                          UnixMember("", "line\nbreak\t.txt", "", 0100600, 0, 0, midday) + std::string(1, '\0'));
    struct utimbuf times {static_cast<time_t>(midday), static_cast<time_t>(midday)};
    ::utime(archive.c_str(), &times);

    const std::string expected =
        "PERMSSN    UID  GID    PACKED    SIZE  RATIO METHOD CRC     STAMP          NAME\r\n"
        "---------- ----------- ------- ------- ------ ---------- ------------ -------------\r\n"
        "-rw-r--r--  1000/100         6       6 100.0% -lh0- 5a34 Jul 14  2017 hello.txt\r\n"
        "drwxr-xr-x     0/0           0       0 ****** -lhd- 0000 Jul 14  2017 sub/\r\n"
        "-rwxr-xr-x 65535/12345      10      10 100.0% -lh0- 92d2 Jul 14  2017 sub/run.sh\r\n"
        "-rw-------     0/0           0       0 100.0% -lh0- 0000 Jul 14  2017 line?break?.txt\r\n"
        "---------- ----------- ------- ------- ------ ---------- ------------ -------------\r\n"
        " Total         4 files      16      16 100.0%            Jul 14  2017\r\n";
    EXPECT_EQ(ArchiveListing(archive, nullptr), expected);
    if (ToolInstalled("lhasa")) {
        EXPECT_EQ(CrLf(TrimSpaces(Capture("lhasa v " + Quote(archive)))), expected);
    }

    // lhasa prints the method bytes as they are; a line break there would split the row.
    Write("method.lzh", UnixMember("", "odd.bin", "", 0100600, 0, 0, midday, "-lh\n-") + std::string(1, '\0'));
    ::utime((root_ + "/method.lzh").c_str(), &times);
    const std::string listing = ArchiveListing(root_ + "/method.lzh", nullptr);
    EXPECT_NE(listing.find("\r\n-rw-------     0/0           0       0 100.0% -lh?- 0000 Jul 14  2017 odd.bin\r\n"),
              std::string::npos)
        << listing;
}

// A ZIP of one-byte members with the names as given, their bytes stored raw.
bool WriteZip(const std::string& archive, const std::vector<std::string>& names) {
    int error = 0;
    zip_t* writer = zip_open(archive.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (writer == nullptr) return false;
    for (const std::string& name : names) {
        if (zip_file_add(writer, name.c_str(), zip_source_buffer(writer, "x", 1, 0), ZIP_FL_ENC_RAW) < 0) {
            zip_discard(writer);
            return false;
        }
    }
    return zip_close(writer) == 0;
}

// A ZIP made on a Japanese system stores names in Shift_JIS without the UTF-8 flag; UTF-8
// names and bytes that are neither stay as they are.
TEST_F(ArchiveListingTest, ZipShiftJisNamesAreDecoded) {
    const std::string archive = root_ + "/japanese.zip";
    ASSERT_TRUE(WriteZip(archive, {"\x93\xFA\x96\x7B.txt", "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E.txt", "odd\x96.txt",
                                   "line\nbreak\t\x7f.txt"}));
    const std::string text = ArchiveListing(archive, nullptr);
    // Control characters as "unzip -v" shows them, so that the row stays one line.
    for (const char* name : {"  日本.txt\r\n", "  日本語.txt\r\n", "  odd\x96.txt\r\n", "  line^Jbreak^I\x7f.txt\r\n"}) {
        EXPECT_NE(text.find(name), std::string::npos) << text;
    }
}

// Archives in memory list as the same archives on disk; a buffer cut short gives no listing.
TEST_F(ArchiveListingTest, BytesListAsTheFileDoes) {
    const std::string zip = root_ + "/bytes.zip";
    ASSERT_TRUE(WriteZip(zip, {"a.txt", "dir/b.txt"}));
    const std::string zipBytes = tree_.Read("bytes.zip");
    const ArchiveListingResult fromFile = ListZipMembers(zip);
    ASSERT_EQ(fromFile.status, ArchiveListingStatus::Listed);
    const ArchiveListingResult fromBytes = ListZipMembersOfBytes(zipBytes, zip);
    EXPECT_EQ(fromBytes.status, ArchiveListingStatus::Listed);
    EXPECT_EQ(fromBytes.text, fromFile.text);
    EXPECT_EQ(ListZipMembersOfBytes(zipBytes.substr(0, zipBytes.size() - 10), zip).status,
              ArchiveListingStatus::Damaged);

    const std::uint32_t midday = 1500033600;
    const std::string lzh = root_ + "/bytes.lzh";
    Write("bytes.lzh", UnixMember("", "hello.txt", "hello\n", 0100644, 1000, 100, midday) + std::string(1, '\0'));
    struct utimbuf times {static_cast<time_t>(midday), static_cast<time_t>(midday)};
    ::utime(lzh.c_str(), &times);
    const std::time_t now = midday + 3600;
    const ArchiveListingResult lzhFromFile = ListLzhMembers(lzh, now);
    ASSERT_EQ(lzhFromFile.status, ArchiveListingStatus::Listed);
    const std::string lzhBytes = tree_.Read("bytes.lzh");
    EXPECT_EQ(ListLzhMembersOfBytes(lzhBytes, midday, now).text, lzhFromFile.text);
    EXPECT_EQ(ListLzhMembersOfBytes(lzhBytes.substr(0, lzhBytes.size() - 4), midday, now).status,
              ArchiveListingStatus::Damaged);
}

TEST_F(ArchiveListingTest, TenThousandMembersAreListedWhole) {
    const std::string archive = root_ + "/many.zip";
    std::vector<std::string> names;
    for (int i = 0; i < 10000; ++i) names.push_back("dir/member-" + std::to_string(i) + ".txt");
    ASSERT_TRUE(WriteZip(archive, names));

    const std::string text = ArchiveListing(archive, nullptr);
    std::size_t lines = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++lines;
    EXPECT_EQ(lines, 10000u + 5u);
    EXPECT_GT(text.size(), 65500u);
    EXPECT_NE(text.find("dir/member-9999.txt\r\n"), std::string::npos);
    EXPECT_NE(text.find("10000 files\r\n"), std::string::npos);
}

// The command: the first selected entry only, the extension in any case, the clipboard
// cleared and set only when there is a listing.
TEST_F(ArchiveListingTest, CommandListsFirstSelectedArchiveOnly) {
    if (!ToolInstalled("zip")) GTEST_SKIP() << "zip not installed";
    Run("cd " + Quote(root_) + " && zip -qr a.zip in && cp a.zip b.ZiP && printf junk > bad.zip");

    struct Case {
        std::vector<std::string> entries;
        std::vector<bool> selected;
        bool expectListing;
        bool expectAsk;
    } cases[] = {
        {{"notes.txt", "a.zip", "b.ZiP"}, {false, true, true}, true, false},
        {{"b.ZiP"}, {true}, true, false},
        {{"a.zip"}, {false}, false, true},  // nothing selected
        {{"README"}, {true}, false, true},  // no extension
        {{"bad.zip"}, {true}, false, false},
    };
    for (const Case& c : cases) {
        testing::FakeJobContext job;
        job.clipboard.text = "before";
        BrowserState state;
        state.folder = root_;
        state.entries = c.entries;
        state.selected = c.selected;
        const ListingOutcome outcome = ListArchiveOfSelection(state, job.context);
        EXPECT_EQ(outcome.delivered, c.expectListing);
        EXPECT_EQ(outcome.failed, !c.expectListing);
        if (c.expectListing) {
            EXPECT_EQ(job.clipboard.calls, (std::vector<std::string>{"Clear", "SetText"}));
            EXPECT_EQ(job.clipboard.text.rfind("Archive:  " + root_ + "/", 0), 0u) << job.clipboard.text;
        } else {
            EXPECT_TRUE(job.clipboard.calls.empty());
            EXPECT_EQ(job.clipboard.text, "before");
        }
        EXPECT_EQ(job.dialogs.messages,
                  c.expectAsk ? std::vector<std::string>{"LZHまたはZIPファイルを選択してください"}
                              : std::vector<std::string>{});
    }
}

// Why an archive gives no listing, for the caller that says more than the window.
TEST_F(ArchiveListingTest, ArchiveMembersTellsWhyThereIsNoListing) {
    const std::string member = UnixMember("", "hello.txt", "hello, hello\n", 0100644, 0, 0, 1000000000);
    Write("whole.lzh", member + std::string(1, '\0'));
    Write("cut.lzh", member.substr(0, member.size() - 4));
    Write("trailing.lzh", member + "X");
    Write("garbage.lzh", "this is not an archive at all");
    Write("garbage.zip", "this is not an archive at all");
    Write("cut.zip", "PK\x03\x04" + std::string(40, 'z'));
    Write("notes.txt", "plain text");
    tree_.AddFolder("folder.zip");

    EXPECT_EQ(ArchiveMembers(root_ + "/whole.lzh").problem, ArchiveProblem::None);
    struct Case {
        const char* name;
        ArchiveProblem problem;
        std::uint64_t byte;
    };
    const Case cases[] = {
        {"cut.lzh", ArchiveProblem::CutShort, member.size() - 4},
        {"trailing.lzh", ArchiveProblem::Damaged, member.size()},
        {"garbage.lzh", ArchiveProblem::NotAnArchive, 0},
        {"garbage.zip", ArchiveProblem::NotAnArchive, 29},
        {"cut.zip", ArchiveProblem::CutShort, 44},
    };
    for (const Case& c : cases) {
        const ArchiveListingResult result = ArchiveMembers(root_ + "/" + c.name);
        EXPECT_NE(result.status, ArchiveListingStatus::Listed) << c.name;
        EXPECT_EQ(result.problem, c.problem) << c.name;
        EXPECT_EQ(result.byte, c.byte) << c.name;
    }
    const ArchiveListingResult missing = ArchiveMembers(root_ + "/nonexist.zip");
    EXPECT_EQ(missing.problem, ArchiveProblem::Unreadable);
    EXPECT_EQ(missing.readError, std::errc::no_such_file_or_directory);
    EXPECT_EQ(ArchiveMembers(root_ + "/folder.zip").readError, std::errc::is_a_directory);
    EXPECT_EQ(ArchiveMembers(root_ + "/notes.txt").problem, ArchiveProblem::None);  // no archive's name
}

}  // namespace
}  // namespace pelmora
