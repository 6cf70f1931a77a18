#include "listing/engine/entry_formatter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/support/temp_tree.h"
#include "tests/support/test_time_zone.h"

namespace pelmora {
namespace {

using platform::FileFacts;
using platform::FileTime;

constexpr std::int64_t kMay6 = 1083794889;       // 2004/05/06 7:08:09 in Japan
constexpr std::int64_t kMay6Midnight = 1083769200;

EntryFieldSwitches AllOn(const std::string& patterns) {
    return {"1", "0", "1", "1", patterns, "1", patterns, "1", patterns, "1", patterns, "1", "0", "\"", ","};
}

EntryFieldSwitches AllOff() { return {"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "\"", ","}; }

using Field = std::string EntryFieldSwitches::*;
using S = EntryFieldSwitches;

// The given switches with some fields set otherwise.
EntryFieldSwitches With(EntryFieldSwitches switches, std::initializer_list<std::pair<Field, const char*>> changes) {
    for (const auto& [field, value] : changes) switches.*field = value;
    return switches;
}

// The entry as the engine's formatter makes it from the file itself.
FormattedEntry Formatted(const std::string& path, const EntryFieldSwitches& switches) {
    FormattedEntry entry;
    EntryFormatter(switches).Format(path, entry);
    return entry;
}

FileFacts Facts(std::uint64_t size) {
    FileFacts facts;
    facts.size = size;
    facts.creation = FileTime{true, kMay6Midnight};
    facts.lastWrite = FileTime{true, kMay6};
    facts.lastAccess = FileTime{true, kMay6 + 3600};
    return facts;
}

struct LineCase {
    const char* what;
    EntryFieldSwitches switches;
    std::string path;
    FileFacts facts;
    std::string line;
};

// Paths here do not exist, so the attribute words follow the permission and dot rule.
TEST(EntryFormatter, LaysOutTheFieldsTheSwitchesAsk) {
    ASSERT_TRUE(testing::kJapanTimeZone);
    const auto sizeOnly = With(AllOff(), {{&S::Size, "1"}, {&S::SizePattern, "1"}});
    const auto sizePlain = With(sizeOnly, {{&S::SizePattern, "0"}});
    const auto nameTabs =
        With(AllOff(), {{&S::Name, "1"}, {&S::Size, "1"}, {&S::Kugiri, "<TAB>"}, {&S::Kakomi, "<CRLF>"}});
    const auto fullPathQuoted =
        With(nameTabs, {{&S::FullPath, "1"}, {&S::ShortName, "1"}, {&S::Kakomi, "\""}, {&S::Kugiri, ","}});
    const auto singleQuote = With(fullPathQuoted, {{&S::Kakomi, "'"}});
    const auto noCreation = With(AllOff(), {{&S::Name, "1"}, {&S::MakeDateTime, "1"}, {&S::MakeDateTimePattern, "1"}});
    const auto noCreationOne = With(noCreation, {{&S::MakeDateTimePattern, "0"}});
    const auto emptyLayout = With(AllOff(), {{&S::Size, "1"}, {&S::Attrib, "1"}, {&S::Kakomi, ""}, {&S::Kugiri, ""}});
    // Only "1" switches a field on; a pattern is on for anything but "0".
    const auto oddSwitches = With(AllOff(), {{&S::Name, "yes"}, {&S::Size, "1"}, {&S::SizePattern, ""},
                                             {&S::DateTime, "1"}, {&S::DateTimePattern, "2"}});

    // Where the folder keeps an 8.3 name beside the long one, that name is the short name as it is.
    FileFacts withShortName = Facts(1);
    withShortName.shortName = "LONGFI~1.TEX";

    FileFacts readOnlyNoBirth = Facts(0);
    readOnlyNoBirth.ownerCanWrite = false;
    readOnlyNoBirth.creation = FileTime{};

    const LineCase cases[] = {
        {"thirteen fields", AllOn("1"), "/d/readme.txt", Facts(5368709120),
         "\"readme.txt\",\"README.TXT\",\"5,368,709,120\",\"2004/05/06\",\"00:00:00\",\"2004/05/06\",\"07:08:09\","
         "\"2004/05/06\",\"08:08:09\",\"ReadOnly(-)\",\"Hidden(-)\",\"System(-)\",\"Archive(-)\""},
        {"ten fields", AllOn("0"), "/d/readme.txt", Facts(3221225472),
         "\"readme.txt\",\"README.TXT\",\"3221225472\",\"2004/05/06\",\"2004/05/06 7:08:09\",\"2004/05/06 8:08:09\","
         "\"ReadOnly(-)\",\"Hidden(-)\",\"System(-)\",\"Archive(-)\""},
        {"hidden, read-only, no birth time", AllOn("0"), "/d/.profile", readOnlyNoBirth,
         "\".profile\",\".PROFILE\",\"0\",\"\",\"2004/05/06 7:08:09\",\"2004/05/06 8:08:09\","
         "\"ReadOnly(+)\",\"Hidden(+)\",\"System(-)\",\"Archive(-)\""},
        {"name off, size on", sizeOnly, "/d/a", Facts(1234567), "\"1,234,567\""},
        {"size without grouping", sizePlain, "/d/a", Facts(1234567), "\"1234567\""},
        {"small size", sizeOnly, "/d/a", Facts(999), "\"999\""},
        {"nothing on", AllOff(), "/d/a", Facts(1), ""},
        {"layout tokens", nameTabs, "/d/a b.txt", Facts(12), "\r\na b.txt\r\n\t\r\n12\r\n"},
        {"quotes doubled", fullPathQuoted, "/d/say \"hi\".txt", Facts(1),
         "\"/d/say \"\"hi\"\".txt\",\"SAY \"\"HI\"\".TXT\",\"1\""},
        {"other enclosing", singleQuote, "/d/it's \"x\"", Facts(1), "'/d/it's \"x\"','IT'S \"X\"','1'"},
        {"short name keeps non-ASCII", fullPathQuoted, "/d/ファイルé.txt", Facts(1),
         "\"/d/ファイルé.txt\",\"ファイルé.TXT\",\"1\""},
        {"the folder's own short name", fullPathQuoted, "/d/long file name.text", withShortName,
         "\"/d/long file name.text\",\"LONGFI~1.TEX\",\"1\""},
        {"two empty creation fields", noCreation, "/d/x", readOnlyNoBirth, "\"x\",\"\",\"\""},
        {"one empty creation field", noCreationOne, "/d/x", readOnlyNoBirth, "\"x\",\"\""},
        {"empty layout strings", emptyLayout, "/d/x", Facts(7), "7ReadOnly(-)Hidden(-)System(-)Archive(-)"},
        {"switch values", oddSwitches, "/d/x", Facts(1000), "\"1,000\",\"2004/05/06\",\"07:08:09\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const EntryFormatter formatter(c.switches);
        FormattedEntry entry{"stale key", "stale line", false};
        formatter.Format(c.path, c.facts, entry);
        EXPECT_TRUE(entry.found);
        EXPECT_EQ(entry.line, c.line);
        EXPECT_EQ(entry.sortKey, "");
    }
}

TEST(EntryFormatter, ExtensionSortKeyStaysBesideTheLine) {
    const EntryFormatter formatter(With(AllOff(), {{&S::ExtSort, "1"}, {&S::Name, "1"}}));
    const struct {
        std::string path, key, line;
    } cases[] = {
        {"/d/app.exe", "exe/d/app.exe", "\"app.exe\""},
        {"/d/a", "   /d/a", "\"a\""},
        {"/my.dir/readme", "dir/readme/my.dir/readme", "\"readme\""},
        {"/d/tab\tname.t\nxt", "t\nxt/d/tab\tname.t\nxt", "\"tab\tname.t\nxt\""},
    };
    for (const auto& c : cases) {
        FormattedEntry entry;
        formatter.Format(c.path, Facts(1), entry);
        EXPECT_EQ(entry.sortKey, c.key);
        EXPECT_EQ(entry.line, c.line);
    }
}

TEST(EntryFormatter, ReadsTheFileItself) {
    ASSERT_TRUE(testing::kJapanTimeZone);
    testing::TempTree folder;
    const std::string small = folder.AddFile("small.txt", "hello");
    const timespec times[2] = {{kMay6 + 60, 0}, {kMay6, 0}};  // access, write
    ASSERT_EQ(utimensat(AT_FDCWD, small.c_str(), times, 0), 0);
    const std::string big = folder.AddFile("big.bin", "");
    ASSERT_EQ(truncate(big.c_str(), 5368709120LL), 0);  // sparse: no disk space needed
    const std::string link = folder / "link";
    ASSERT_EQ(symlink(small.c_str(), link.c_str()), 0);
    const std::string dangling = folder / "dangling";
    ASSERT_EQ(symlink("nowhere-at-all", dangling.c_str()), 0);

    auto switches = With(AllOff(), {{&S::Size, "1"}, {&S::DateTime, "1"}, {&S::AccessDateTime, "1"}});
    EXPECT_EQ(Formatted(small, switches).line, "\"5\",\"2004/05/06 7:08:09\",\"2004/05/06 7:09:09\"");
    EXPECT_EQ(Formatted(link, switches).line, "\"5\",\"2004/05/06 7:08:09\",\"2004/05/06 7:09:09\"");

    switches = With(AllOff(), {{&S::Size, "1"}, {&S::SizePattern, "1"}});
    EXPECT_EQ(Formatted(big, switches).line, "\"5,368,709,120\"");
    // A dangling link lists with its own size: the length of the text it holds.
    switches.SizePattern = "0";
    EXPECT_EQ(Formatted(big, switches).line, "\"5368709120\"");
    EXPECT_EQ(Formatted(dangling, switches).line, "\"14\"");
    const FormattedEntry missing = Formatted(folder / "missing", switches);
    EXPECT_FALSE(missing.found);
    EXPECT_EQ(missing.line, "");

    // With the sort on, even an empty line carries its key.
    switches = With(AllOff(), {{&S::ExtSort, "1"}});
    EXPECT_EQ(Formatted(small, switches).sortKey, "txt" + small);
    EXPECT_EQ(Formatted(link, switches).sortKey, "   " + link);
    EXPECT_EQ(Formatted(link, switches).line, "");
}

TEST(EntryFormatter, AttributeWordsFromTheStoredDosAttributes) {
    testing::TempTree folder;
    const std::string file = folder.AddFile("plain.txt", "x");
    const auto switches = With(AllOff(), {{&S::Attrib, "1"}, {&S::Kakomi, ""}, {&S::Kugiri, " "}});
    EXPECT_EQ(Formatted(file, switches).line, "ReadOnly(-) Hidden(-) System(-) Archive(-)");
    ASSERT_EQ(chmod(file.c_str(), 0444), 0);
    EXPECT_EQ(Formatted(file, switches).line, "ReadOnly(+) Hidden(-) System(-) Archive(-)");
    ASSERT_EQ(chmod(file.c_str(), 0644), 0);

    const char stored[] = "0x26";
    if (setxattr(file.c_str(), "user.DOSATTRIB", stored, sizeof stored, 0) != 0) {
        GTEST_SKIP() << "this file system keeps no user extended attributes";
    }
    EXPECT_EQ(Formatted(file, switches).line, "ReadOnly(-) Hidden(+) System(+) Archive(+)");
}

TEST(FolderEntry, NamesTheFolder) {
    const struct {
        std::string path, fullPath, folderMark, kakomi, text;
    } cases[] = {
        {"", "1", "1", "\"", ""},
        {"/", "0", "1", "\"", "\"/\""},
        {"/", "1", "1", "\"", "\"/\""},
        {"/", "0", "0", "", "/"},
        {"/data", "1", "1", "\"", "\"/data/\""},
        {"/data", "0", "1", "\"", "\"data/\""},
        {"/data", "0", "0", "<TAB>", "\tdata\t"},
        {"/srv/data/", "0", "0", "'", "'data'"},
        {"/srv/data/", "1", "1", "'", "'/srv/data/'"},
        {"/srv/.cache", "0", "0", "\"", "\".cache\""},
        {"/srv/a\"b", "0", "1", "\"", "\"a\"\"b/\""},
        {"/srv/a\"b", "0", "0", "<CRLF>", "\r\na\"b\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path + " " + c.fullPath + c.folderMark + " " + c.kakomi);
        EXPECT_EQ(FormatFolderEntry(c.path, c.fullPath, c.folderMark, c.kakomi), c.text);
    }
}

}  // namespace
}  // namespace pelmora
