#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/security.h"
#include "tests/support/temp_tree.h"
#include "tools/aclview/acl_text.h"
#include "tools/hexview/hex_dump_text.h"

namespace {

using pelmora::testing::TempTree;

struct ListerRun {
    int status = -1;
    std::string out;
    std::string err;
};

const auto Slurp = pelmora::testing::ReadFile;
const auto Quoted = pelmora::testing::ShellQuote;

// Runs the lister with the given arguments in the Tokyo time zone, input from nowhere,
// in the given current folder (or this one).
ListerRun RunLister(const TempTree& scratch, const std::vector<std::string>& args, const std::string& folder = {}) {
    std::string command = (folder.empty() ? "" : "cd " + Quoted(folder) + " && ") + "TZ=Asia/Tokyo " +
                          Quoted(PELMORA_LIST_PROGRAM);
    for (const std::string& arg : args) command += " " + Quoted(arg);
    command += " </dev/null >" + Quoted(scratch / "out") + " 2>" + Quoted(scratch / "err");
    ListerRun run;
    const int raw = std::system(command.c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = Slurp(scratch / "out");
    run.err = Slurp(scratch / "err");
    return run;
}

void SetWriteTime(const std::string& path, time_t seconds) {
    const timespec times[2] = {{seconds, 0}, {seconds, 0}};
    utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW);
}

// 2004-05-06 07:08:09 in Tokyo.
constexpr time_t kStamp = 1083794889;

class PelmoraListTest : public ::testing::Test {
protected:
    PelmoraListTest() {
        ini = scratch.AddFile("Pelmora.ini",
                              "[Pelmora]\r\nKakomi=\"\r\nKugiri=,\r\nFileName=1\r\nFileFullPath=0\r\n"
                              "FileHiddenFile=0\r\nSFolderName=1\r\nSFolderFullPath=1\r\nSFolderSize=1\r\n"
                              "SFolderDateTime=1\r\nSFolderLastLineReturn=1\r\nSFolderWrite=1\r\n"
                              "DropName=1\r\nDropFullPath=0\r\n"
                              "[FolderView]\r\nFol_Kakomi=\r\nFol_FullPath3=0\r\nFol_RootGet3=1\r\n"
                              "Fol_FolderMark3=1\r\n[HexView]\r\nHex_ReadByte=2048\r\n");
        const std::vector<std::pair<std::string, std::string>> files = {
            {"a b.txt", "1"},       {"q\"uote.txt", "22"},     {"tab\there.txt", "333"},
            {"new\nline.txt", "4444"}, {"日本語.txt", "55555"}, {"\xff\xfe.bin", "666666"},
            {"sub/x.txt", "7777777"}, {".hidden", "8"},
        };
        for (const auto& [name, content] : files) SetWriteTime(tree.AddFile(name, content), kStamp);
    }
    ListerRun RunWithIni(const std::vector<std::string>& args, const std::string& folder = {}) const {
        std::vector<std::string> all = {"--ini", ini};
        all.insert(all.end(), args.begin(), args.end());
        return RunLister(scratch, all, folder);
    }
    TempTree scratch;
    TempTree tree;
    std::string ini;
};

TEST_F(PelmoraListTest, GoldenRecursiveListingKeepsEveryNameByteForByte) {
    const ListerRun run = RunWithIni({"--yes", "recursive", tree.path()});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string t = tree.path();
    const std::string date = "\"2004/05/06 7:08:09\"";
    const std::string expected =
        "\"" + t + "/a b.txt\",\"1\"," + date + "\r\n" +
        "\"" + t + "/new\nline.txt\",\"4\"," + date + "\r\n" +
        "\"" + t + "/q\"\"uote.txt\",\"2\"," + date + "\r\n" +
        "\"" + t + "/tab\there.txt\",\"3\"," + date + "\r\n" +
        "\"" + t + "/日本語.txt\",\"5\"," + date + "\r\n" +
        "\"" + t + "/\xff\xfe.bin\",\"6\"," + date + "\r\n" +
        "\"" + t + "/sub/x.txt\",\"7\"," + date + "\r\n";
    EXPECT_EQ(run.out, expected);
    EXPECT_NE(run.err.find("ファイル数：7"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("クリップボード"), std::string::npos) << run.err;  // there is none here
    EXPECT_NE(run.err.find("skipped"), std::string::npos) << run.err;  // SFolderWrite=1
}

TEST_F(PelmoraListTest, TheOtherCommandsWriteWhatTheClipboardWouldGet) {
    struct Case {
        std::vector<std::string> args;
        std::string expected;
    };
    const std::string t = tree.path();
    const std::string base = t.substr(t.rfind('/') + 1);
    const Case cases[] = {
        {{"--pattern", "*.txt", "files", t}, "\"a b.txt\"\r\n\"new\nline.txt\"\r\n\"q\"\"uote.txt\"\r\n"
                                             "\"tab\there.txt\"\r\n\"日本語.txt\"\r\n"},
        {{"--yes", "all-folders", t}, base + "/\r\nsub/"},
        {{"drop", t + "/a b.txt", t + "/sub"}, "\"sub/\"\r\n\"a b.txt\""},
        {{"--pattern", "*.bin", "--yes", "recursive", t + "/"},
         "\"" + t + "/\xff\xfe.bin\",\"6\",\"2004/05/06 7:08:09\"\r\n"},
    };
    for (const Case& c : cases) {
        const ListerRun run = RunWithIni(c.args);
        EXPECT_EQ(run.status, 0) << c.args.back() << run.err;
        EXPECT_EQ(run.out, c.expected) << c.args.back();
    }
}

// Dropped items named relative to the current folder are listed as the full paths they
// stand for (DropFullPath=1), or by their own names, never as "." or "/" (folders marked).
TEST_F(PelmoraListTest, RelativeDropItemsStandForTheirFullPaths) {
    const std::string t = tree.path();
    const std::string base = t.substr(t.rfind('/') + 1);
    tree.AddFolder("sub/a1");
    std::string settings = Slurp(ini);
    settings.replace(settings.find("DropFullPath=0"), 14, "DropFullPath=1");
    const std::string fullIni = scratch.AddFile("full.ini", settings);

    ListerRun run = RunLister(scratch, {"--ini", fullIni, "drop", "a1", ".", "../a b.txt", "./a1/../x.txt"}, t + "/sub");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "\"" + t + "/sub/\"\r\n\"" + t + "/sub/a1/\"\r\n\"" + t + "/a b.txt\"\r\n\"" + t +
                           "/sub/x.txt\"");
    run = RunWithIni({"drop", "..", ".", "x.txt"}, t + "/sub");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "\"" + base + "/\"\r\n\"sub/\"\r\n\"x.txt\"");
}

// hex and acl print what HexView and ACLView show, byte for byte.
TEST_F(PelmoraListTest, HexAndAclPrintWhatTheirWindowsShow) {
    std::string bytes;
    for (int i = 0; i < 5000; ++i) bytes += static_cast<char>(i * 7);
    const std::string file = scratch.AddFile("data.bin", bytes);
    std::string aclLines;
    for (const auto& line : pelmora::AclLines(ini, pelmora::platform::SystemSecurityService()))
        aclLines += line + "\r\n";
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string out;
    };
    const Case cases[] = {
        {{"hex", file}, 0, pelmora::HexDumpText(file, 2048)},  // the count of the settings
        {{"hex", file, "20"}, 0, pelmora::HexDumpText(file, 20)},
        {{"hex", scratch / "missing"}, 1, "読み取りに失敗しました"},
        {{"hex", file, "many"}, 2, ""},
        {{"acl", ini}, 0, aclLines},
        {{"acl", "//server/share/x"}, 1, "ドライブがNTFSではありません\r\n"},
    };
    for (const Case& c : cases) {
        const ListerRun run = RunWithIni(c.args);
        EXPECT_EQ(run.status, c.status) << c.args.back();
        EXPECT_EQ(run.out, c.out) << c.args.back();
        if (c.status == 1) {
            EXPECT_NE(run.err.find(c.args.back()), std::string::npos) << run.err;  // a line says why
        }
    }
}

// view-kind prints ChoiView's kind word under the settings file given, one line.
TEST_F(PelmoraListTest, ViewKindFollowsTheChoiViewKeys) {
    const std::string viewIni =
        scratch.AddFile("view.ini", "[ChoiView]\r\nCV_txt=1\r\nCV_bmp=0\r\nCV_other_txt=1\r\nCV_zip=1\r\n");
    const std::pair<std::string, std::string> cases[] = {
        {scratch.AddFile("a.txt", "text"), "TEXT\r\n"},
        {scratch.AddFile("b.zip", "PK"), "ARC\r\n"},
        {scratch.AddFile("c.bmp", "BM no NUL"), "other_TEXT\r\n"},
        {scratch.AddFile("d.log", std::string("\0", 1)), "\r\n"},
        {scratch.AddFile("noext", "x"), "\r\n"},
    };
    for (const auto& [file, out] : cases) {
        const ListerRun run = RunLister(scratch, {"--ini", viewIni, "view-kind", file});
        EXPECT_EQ(run.status, 0) << file;
        EXPECT_EQ(run.out, out) << file;
    }
}

TEST_F(PelmoraListTest, WithoutATerminalOrYesTheQuestionIsAnsweredNo) {
    for (const char* command : {"recursive", "all-folders", "tree"}) {
        const ListerRun run = RunWithIni({command, tree.path()});
        EXPECT_EQ(run.status, 3) << command;
        EXPECT_EQ(run.out, "") << command;
        EXPECT_NE(run.err.find("中止しました"), std::string::npos) << run.err;
    }
}

// One rule for every command: 0 listed, 1 failed (with a line on standard error, standard
// output still exactly what was listed), 2 usage, 3 declined.
TEST_F(PelmoraListTest, ExitStatusFollowsOneRule) {
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string out;
        std::string err;  // a part of standard error
    };
    const std::string t = tree.path();
    const std::string junk = scratch.AddFile("junk.zip", "not an archive");
    const Case cases[] = {
        {{}, 2, "", "usage"},
        {{"--bogus", "files", "/"}, 2, "", "--bogus"},
        {{"nosuchcommand"}, 2, "", "nosuchcommand"},
        {{"recursive"}, 2, "", "wrong number"},
        {{"recursive", "/a", "/b"}, 2, "", "wrong number"},
        {{"--ini"}, 2, "", "--ini"},
        {{"--ini", ini, "recursive", tree / "missing"}, 1, "", "not a folder"},
        {{"--ini", scratch / "missing.ini", "settings"}, 1, "", "missing.ini"},
        {{"--ini", ini, "files", t, "sub/x.txt", "missing", "a b.txt"}, 1, "\"x.txt\"\r\n\"a b.txt\"\r\n",
         "not found: missing"},
        {{"--ini", ini, "drop", "/nonexistent"}, 1, "", "not found: /nonexistent"},
        {{"--ini", ini, "archive", junk}, 1, "", "no listing of " + junk},
        {{"--ini", ini, "archive", t + "/a b.txt"}, 1, "", "LZH"},
        {{"--ini", ini, "--yes", "tree", t}, 0, "", ""},
    };
    for (const Case& c : cases) {
        const ListerRun run = RunLister(scratch, c.args);
        const std::string name = c.args.empty() ? "" : c.args.back();
        EXPECT_EQ(run.status, c.status) << name << run.err;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << name << ": " << run.err;
        if (c.status != 0) {
            EXPECT_EQ(run.out, c.out) << name;
        } else {
            EXPECT_EQ(run.err.find("クリップボード"), std::string::npos) << run.err;
        }
    }
    const ListerRun help = RunLister(scratch, {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage: pelmora-list"), std::string::npos);
    EXPECT_NE(help.out.find("3  a question was answered no"), std::string::npos);
    EXPECT_NE(help.out.find("recursive, all-folders and tree ask"), std::string::npos);
}

TEST_F(PelmoraListTest, SettingsShowsTheNormalisedRecordAndNeverWritesTheFile) {
    const std::string before = Slurp(ini);
    const ListerRun run = RunWithIni({"--pattern", "*.csv", "settings"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Slurp(ini), before);
    EXPECT_EQ(run.out.rfind("[Pelmora]\r\n", 0), 0u);
    EXPECT_NE(run.err.find("settings file: " + ini), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("warning"), std::string::npos) << run.err;  // every key known, read as written
    for (const char* line : {"\r\nPattern=*.csv\r\n", "\r\nSFolderFullPath=1\r\n", "\r\nFileFullPath=0\r\n",
                             "\r\n[FolderView]\r\n", "\r\nFol_RootGet3=1\r\n"})
        EXPECT_NE(run.out.find(line), std::string::npos) << line;
}

}  // namespace
