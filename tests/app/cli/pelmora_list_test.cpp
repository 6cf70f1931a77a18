#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>
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
// in the given current folder (or this one); prefix goes before the program (a user to run
// it as, a variable), program replaces the built one.
ListerRun RunLister(const TempTree& scratch, const std::vector<std::string>& args, const std::string& folder = {},
                    const std::string& prefix = {}, const std::string& program = PELMORA_LIST_PROGRAM) {
    // The lister's messages are read in English here (the other language: pelmora_list_language_test).
    std::string command = (folder.empty() ? "" : "cd " + Quoted(folder) + " && ") + "TZ=Asia/Tokyo LANGUAGE=en " + prefix +
                          Quoted(program);
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
    EXPECT_NE(run.err.find("Files: 7"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("clipboard"), std::string::npos) << run.err;  // there is none here
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
        {{"hex", file, "many"}, 2, ""},
        {{"acl", ini}, 0, aclLines},
    };
    for (const Case& c : cases) {
        const ListerRun run = RunWithIni(c.args);
        EXPECT_EQ(run.status, c.status) << c.args.back();
        EXPECT_EQ(run.out, c.out) << c.args.back();
    }
}

// What the windows show in place of a dump or of the lines is a failure here: standard
// output stays empty and standard error has the window's words, the path and the reason.
TEST_F(PelmoraListTest, HexAndAclFailuresGoToStandardError) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"hex", scratch / "missing"}, "Could not read the file: " + scratch / "missing" + ": no such file or folder"},
        {{"hex", tree.path()}, "Could not read the file: " + tree.path() + ": is a folder"},
        {{"acl", scratch / "missing"}, "Could not read the permissions: " + scratch / "missing" + ": no such file or folder"},
        {{"acl", "//server/share/x"}, "The volume keeps no permissions: //server/share/x"},
    };
    for (const auto& [args, message] : cases) {
        const ListerRun run = RunWithIni(args);
        EXPECT_EQ(run.status, 1) << args.back();
        EXPECT_EQ(run.out, "") << args.back();
        EXPECT_NE(run.err.find("pelmora-list: " + message), std::string::npos) << run.err;
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
    // A file that is not there has no kind: not an empty line, but a failure.
    const ListerRun missing = RunLister(scratch, {"--ini", viewIni, "view-kind", scratch / "gone.txt"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("not found: " + scratch / "gone.txt"), std::string::npos) << missing.err;
}

TEST_F(PelmoraListTest, WithoutATerminalOrYesTheQuestionIsAnsweredNo) {
    for (const char* command : {"recursive", "all-folders", "tree"}) {
        const ListerRun run = RunWithIni({command, tree.path()});
        EXPECT_EQ(run.status, 3) << command;
        EXPECT_EQ(run.out, "") << command;
        EXPECT_NE(run.err.find("Cancelled."), std::string::npos) << run.err;
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
    const Case cases[] = {
        {{}, 2, "", "usage"},
        {{"--bogus", "files", "/"}, 2, "", "--bogus"},
        {{"nosuchcommand"}, 2, "", "nosuchcommand"},
        {{"recursive"}, 2, "", "wrong number"},
        {{"recursive", "/a", "/b"}, 2, "", "wrong number"},
        {{"--ini"}, 2, "", "--ini"},
        {{"--unreadable", "later", "recursive", t}, 2, "", "--unreadable takes skip or stop"},
        {{"--ini", ini, "recursive", tree / "missing"}, 1, "", "cannot open " + tree / "missing" + ": no such file or folder"},
        {{"--ini", ini, "folder", t + "/a b.txt"}, 1, "", "cannot open " + t + "/a b.txt: not a folder"},
        {{"--ini", scratch / "missing.ini", "settings"}, 1, "", "missing.ini"},
        {{"--ini", ini, "files", t, "sub/x.txt", "missing", "a b.txt"}, 1, "", "not found: missing"},
        {{"--ini", ini, "drop", "/nonexistent"}, 1, "", "not found: /nonexistent"},
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
            EXPECT_EQ(run.err.find("clipboard"), std::string::npos) << run.err;
        }
    }
    const ListerRun help = RunLister(scratch, {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage: pelmora-list"), std::string::npos);
    EXPECT_NE(help.out.find("3  a question was answered no"), std::string::npos);
    EXPECT_NE(help.out.find("4  the listing skipped folders"), std::string::npos);
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

// No command writes to standard output when it fails: a script that redirects it gets an
// empty file, never a window's message or part of a listing.
TEST_F(PelmoraListTest, NoCommandWritesToStandardOutputWhenItFails) {
    const std::string t = tree.path();
    const std::string missing = scratch / "missing";
    const std::vector<std::vector<std::string>> failures = {
        {"files", missing},
        {"files", t, "a b.txt", "missing.txt"},
        {"recursive", missing},
        {"folder", missing},
        {"subfolders", missing},
        {"all-folders", missing},
        {"drop", t + "/a b.txt", missing},
        {"tree", missing},
        {"archive", scratch.AddFile("junk.zip", "no archive")},
        {"hex", missing},
        {"acl", missing},
        {"view-kind", missing},
        {"render", "--size", "16", missing, scratch / "missing.png"},
        {"--ini", missing, "settings"},
    };
    std::set<std::string> covered;
    for (const std::vector<std::string>& failure : failures) {
        std::vector<std::string> args = {"--yes"};
        if (failure[0] != "--ini") args.insert(args.end(), {"--ini", ini});
        args.insert(args.end(), failure.begin(), failure.end());
        const ListerRun run = RunLister(scratch, args);
        const std::string command = failure[0] == "--ini" ? failure[2] : failure[0];
        covered.insert(command);
        EXPECT_EQ(run.status, 1) << command << ": " << run.err;
        EXPECT_EQ(run.out, "") << command;
        EXPECT_NE(run.err.find("pelmora-list: "), std::string::npos) << command << ": " << run.err;
    }
    // Every command of the usage is in the table above.
    const ListerRun help = RunLister(scratch, {"--help"});
    std::istringstream lines(help.out.substr(help.out.find("commands:\n")));
    std::string line;
    std::getline(lines, line);
    while (std::getline(lines, line) && !line.empty()) {
        if (line.rfind("  ", 0) != 0 || line[2] == ' ') continue;
        const std::string command = line.substr(2, line.find(' ', 2) - 2);
        EXPECT_TRUE(covered.count(command)) << command << " has no failing case";
    }
}

// Each archive failure says why, after the window's own message where it has one.
TEST_F(PelmoraListTest, ArchiveFailuresSayWhy) {
    const std::string cut = scratch.AddFile("cut.zip", "PK\x03\x04" + std::string(60, 'x'));
    const std::pair<std::string, std::string> cases[] = {
        {scratch / "nonexist.zip", "cannot list " + scratch / "nonexist.zip" + ": no such file or folder"},
        {cut, "cannot list " + cut + ": damaged: cut short after byte 64"},
        {scratch.AddFile("text.zip", "just some text, no archive"), "not a ZIP archive"},
        {scratch.AddFile("text.lzh", "just some text, no archive"), "not an LZH archive"},
        {scratch.AddFolder("folder.zip"), "is a folder"},
    };
    for (const auto& [archive, reason] : cases) {
        const ListerRun run = RunWithIni({"archive", archive});
        EXPECT_EQ(run.status, 1) << archive;
        EXPECT_EQ(run.out, "") << archive;
        EXPECT_NE(run.err.find(reason), std::string::npos) << run.err;
    }
    // The window's message comes first, as the window would show it.
    const ListerRun missing = RunWithIni({"archive", scratch / "nonexist.zip"});
    EXPECT_LT(missing.err.find("Could not list the ZIP archive"), missing.err.find("cannot list")) << missing.err;
}

// A script tells a warning apart from an empty result: nothing matched because the pattern
// holds a space, or no field of the command's set is switched on.
TEST_F(PelmoraListTest, EmptyResultsThatAreMistakesAreWarnedOf) {
    const std::string t = tree.path();
    ListerRun run = RunWithIni({"--pattern", "*.txt *.bin", "files", t});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.err.find("the pattern holds a space (patterns are separated by \";\"): *.txt *.bin"),
              std::string::npos)
        << run.err;
    run = RunWithIni({"--yes", "--pattern", "*.txt *.bin", "recursive", t});
    EXPECT_NE(run.err.find("the pattern holds a space"), std::string::npos) << run.err;
    // A space that is part of a name that matches is no mistake.
    run = RunWithIni({"--pattern", "a b.txt", "files", t});
    EXPECT_EQ(run.out, "\"a b.txt\"\r\n");
    EXPECT_EQ(run.err.find("pattern"), std::string::npos) << run.err;

    const std::string noFields = scratch.AddFile(
        "nofields.ini", "[Pelmora]\r\nFileName=0\r\nFileFullPath=1\r\nSFolderName=0\r\nSFolderFullPath=1\r\n"
                        "DropName=0\r\nDropFullPath=1\r\n");
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"files", t}, "FileName, FileShortName, FileSize, FileDateTime, FileMakeDateTime, FileAccessDateTime, "
                       "FileAttrib\n"},
        {{"--yes", "recursive", t}, "SFolderName, SFolderShortName, SFolderSize"},
        {{"drop", t + "/a b.txt"}, "DropName, DropShortName"},
    };
    for (const auto& [args, keys] : cases) {
        std::vector<std::string> all = {"--ini", noFields};
        all.insert(all.end(), args.begin(), args.end());
        run = RunLister(scratch, all);
        EXPECT_EQ(run.status, 0) << args[0];
        EXPECT_NE(run.err.find("no field is switched on for this command: " + keys), std::string::npos) << run.err;
    }
    // The usual settings switch fields on: no warning.
    run = RunWithIni({"files", t});
    EXPECT_EQ(run.err.find("no field"), std::string::npos) << run.err;
}

// Without --ini and without a file where the program keeps it, "settings" names the place
// it looked.
TEST_F(PelmoraListTest, SettingsWithoutAFileNameWhereItLooked) {
    const std::string copy = scratch.AddFolder("program") + "/pelmora-list";
    std::filesystem::copy_file(PELMORA_LIST_PROGRAM, copy);
    const std::string config = scratch / "config";
    const ListerRun run = RunLister(scratch, {"settings"}, {}, "XDG_CONFIG_HOME=" + Quoted(config) + " ", copy);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("[Pelmora]\r\n", 0), 0u);
    const std::string place = access((scratch / "program").c_str(), W_OK) == 0
                                  ? scratch / "program/Pelmora.ini"
                                  : config + "/pelmora/Pelmora.ini";
    EXPECT_NE(run.err.find("no settings file: the built-in defaults; looked for " + place + "\n"), std::string::npos)
        << run.err;
}

TEST_F(PelmoraListTest, VersionIsTheProgramsVersion) {
    const ListerRun run = RunLister(scratch, {"--version"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind("pelmora-list ", 0), 0u) << run.out;
    EXPECT_EQ(run.out.back(), '\n');
    EXPECT_GT(run.out.size(), std::string("pelmora-list \n").size());
}

// Folders that cannot be read, made so for the user nobody (root reads everything): with
// --unreadable skip the walk lists all it can read and exits 4 naming each skipped folder;
// with stop, and by default without a terminal, it stops (--yes does not answer that
// question) and writes nothing.
TEST_F(PelmoraListTest, UnreadableFoldersAreSkippedOrStopTheWalkAsChosen) {
    if (geteuid() != 0 || std::system("command -v setpriv >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "needs root and setpriv to run as another user";
    TempTree walk;
    for (const char* file : {"a/1.txt", "a/deep/2.txt", "b/3.txt", "b/inner/4.txt", "c/5.txt", "c/d/6.txt", "7.txt"})
        walk.AddFile(file, "x");
    chmod(walk.path().c_str(), 0755);
    chmod((walk / "b").c_str(), 0700);
    chmod((walk / "c/d").c_str(), 0700);
    // A copy nobody may run, whatever the build folder's modes.
    const std::string folder = scratch.AddFolder("nobody");
    const std::string copy = folder + "/pelmora-list";
    std::filesystem::copy_file(PELMORA_LIST_PROGRAM, copy);
    chmod(scratch.path().c_str(), 0755);
    chmod(folder.c_str(), 0755);
    chmod(copy.c_str(), 0755);
    const std::string walkIni = scratch.AddFile("walk.ini", "[Pelmora]\r\nSFolderName=1\r\nSFolderFullPath=1\r\n");
    chmod(walkIni.c_str(), 0644);
    const std::string asNobody = "setpriv --reuid=65534 --regid=65534 --clear-groups ";
    const auto run = [&](const std::vector<std::string>& options) {
        std::vector<std::string> args = {"--ini", walkIni, "--yes"};
        args.insert(args.end(), options.begin(), options.end());
        args.insert(args.end(), {"recursive", walk.path()});
        return RunLister(scratch, args, {}, asNobody, copy);
    };
    const std::string w = walk.path();

    const ListerRun skip = run({"--unreadable", "skip"});
    EXPECT_EQ(skip.status, 4) << skip.err;
    EXPECT_EQ(skip.out, w + "/7.txt\r\n" + w + "/a/1.txt\r\n" + w + "/a/deep/2.txt\r\n" + w + "/c/5.txt\r\n");
    EXPECT_NE(skip.err.find("pelmora-list: unreadable folders skipped, the listing is incomplete: 2\n"
                            "pelmora-list: skipped: " + w + "/b: access denied\n"
                            "pelmora-list: skipped: " + w + "/c/d: access denied\n"),
              std::string::npos)
        << skip.err;

    for (const std::vector<std::string>& options : {std::vector<std::string>{"--unreadable", "stop"},
                                                   std::vector<std::string>{}}) {
        const ListerRun stop = run(options);
        EXPECT_EQ(stop.status, 1) << stop.err;
        EXPECT_EQ(stop.out, "");
        EXPECT_NE(stop.err.find("pelmora-list: stopped at a folder it cannot read: " + w + "/b: access denied"),
                  std::string::npos)
            << stop.err;
        EXPECT_EQ(stop.err.find("skipped"), std::string::npos) << stop.err;
    }

    // Nothing unreadable: skip changes nothing.
    chmod((walk / "b").c_str(), 0755);
    chmod((walk / "c/d").c_str(), 0755);
    const ListerRun whole = run({"--unreadable", "skip"});
    EXPECT_EQ(whole.status, 0) << whole.err;
    EXPECT_NE(whole.out.find(w + "/b/inner/4.txt"), std::string::npos);
}

// pelmora-tree keeps writing what the tree command reads, also on a wrong path, but its
// status says it failed, and its usage says so.
TEST_F(PelmoraListTest, TreeProgramFailsWithItsMessageOnStandardOutput) {
    const std::string treeProgram =
        std::filesystem::path(PELMORA_LIST_PROGRAM).parent_path().string() + "/pelmora-tree";
    const ListerRun run = RunLister(scratch, {scratch / "missing"}, {}, {}, treeProgram);
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.out.find("無効なパスです - " + scratch / "missing"), std::string::npos) << run.out;
    const ListerRun usage = RunLister(scratch, {"/?"}, {}, {}, treeProgram);
    EXPECT_NE(usage.out.find("status 1"), std::string::npos) << usage.out;
}

}  // namespace
