// pelmora-list in both languages: its messages, questions and counts follow the locale,
// while what it lists never does.

#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/temp_tree.h"

namespace {

using pelmora::testing::ShellQuote;
using pelmora::testing::TempTree;

constexpr char kJapanese[] = "LANGUAGE=ja LC_ALL= LC_MESSAGES= LANG=ja_JP.UTF-8";
constexpr char kEnglish[] = "LANGUAGE= LC_ALL= LC_MESSAGES= LANG=C.UTF-8";

// A byte that starts a Japanese character in UTF-8 (kana, CJK punctuation, kanji).
bool HasJapanese(const std::string& text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0xE3 && byte <= 0xE9) return true;
    }
    return false;
}

struct ListerRun {
    int status = -1;
    std::string out;
    std::string err;
};

class PelmoraListLanguageTest : public ::testing::Test {
protected:
    PelmoraListLanguageTest() {
        ini = scratch.AddFile("Pelmora.ini", "[Pelmora]\r\nFileName=1\r\nFileSize=1\r\nSFolderName=1\r\n");
        scratch.AddFile("tree/a.txt", "alpha");
        scratch.AddFile("tree/日本語.txt", "nihongo");
        scratch.AddFile("tree/sub/b.bin", std::string("\x00\x01\x02", 3));
        scratch.AddFolder("tree/sub/deeper");
    }

    ListerRun Run(const char* locale, const std::vector<std::string>& args) const {
        std::string command = std::string("env ") + locale + " TZ=Asia/Tokyo " + ShellQuote(PELMORA_LIST_PROGRAM);
        for (const std::string& arg : args) command += " " + ShellQuote(arg);
        command += " </dev/null >" + ShellQuote(scratch / "out") + " 2>" + ShellQuote(scratch / "err");
        ListerRun run;
        const int raw = std::system(command.c_str());
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        run.out = scratch.Read("out");
        run.err = scratch.Read("err");
        return run;
    }

    TempTree scratch;
    std::string ini;
};

TEST_F(PelmoraListLanguageTest, EveryCommandListsTheSameBytesInBothLanguages) {
    const std::string tree = scratch / "tree";
    std::string archive;
    if (pelmora::testing::ToolInstalled("zip")) {
        archive = scratch / "pack.zip";
        const std::string zip = "cd " + ShellQuote(tree) + " && zip -qr " + ShellQuote(archive) + " .";
        ASSERT_EQ(std::system(zip.c_str()), 0);
    }
    const std::vector<std::vector<std::string>> commands = {
        {"files", tree},
        {"files", tree, "a.txt", "missing.txt"},
        {"recursive", tree},
        {"recursive", scratch / "gone"},
        {"folder", tree},
        {"subfolders", tree},
        {"all-folders", tree},
        {"drop", tree + "/a.txt", tree + "/sub"},
        {"settings"},
        {"tree", tree},
        {"archive", archive.empty() ? tree + "/a.txt" : archive},
        {"hex", tree + "/sub/b.bin"},
        {"acl", tree + "/a.txt"},
        {"view-kind", tree + "/a.txt"},
    };
    for (const std::vector<std::string>& command : commands) {
        std::vector<std::string> args = {"--ini", ini, "--yes"};
        args.insert(args.end(), command.begin(), command.end());
        const ListerRun japanese = Run(kJapanese, args);
        const ListerRun english = Run(kEnglish, args);
        EXPECT_EQ(english.status, japanese.status) << command[0];
        EXPECT_EQ(english.out, japanese.out) << command[0];
        EXPECT_TRUE(command[0] == "files" || command[0] == "recursive" || !japanese.out.empty() ||
                    japanese.status != 0)
            << command[0] << " listed nothing";
    }
}

TEST_F(PelmoraListLanguageTest, QuestionsCountsAndFailuresSpeakTheLanguage) {
    const std::string tree = scratch / "tree";
    const ListerRun askedEnglish = Run(kEnglish, {"--ini", ini, "recursive", tree});
    EXPECT_EQ(askedEnglish.status, 3);
    EXPECT_NE(askedEnglish.err.find("Searching the subfolders can take a while."), std::string::npos)
        << askedEnglish.err;
    EXPECT_NE(askedEnglish.err.find("Cancelled."), std::string::npos) << askedEnglish.err;
    const ListerRun askedJapanese = Run(kJapanese, {"--ini", ini, "recursive", tree});
    EXPECT_NE(askedJapanese.err.find("サブフォルダー内の検索は時間がかかる場合があります。"), std::string::npos)
        << askedJapanese.err;

    const ListerRun countedEnglish = Run(kEnglish, {"--ini", ini, "--yes", "recursive", tree});
    EXPECT_EQ(countedEnglish.status, 0);
    EXPECT_NE(countedEnglish.err.find("Files: 3"), std::string::npos) << countedEnglish.err;
    const ListerRun countedJapanese = Run(kJapanese, {"--ini", ini, "--yes", "recursive", tree});
    EXPECT_NE(countedJapanese.err.find("ファイル数：3"), std::string::npos) << countedJapanese.err;

    // The lister's own words, and the system's reason, in each language.
    const std::string gone = scratch / "gone";
    const ListerRun failedEnglish = Run(kEnglish, {"--ini", ini, "folder", gone});
    EXPECT_EQ(failedEnglish.status, 1);
    EXPECT_NE(failedEnglish.err.find("cannot open " + gone + ": no such file or folder"), std::string::npos)
        << failedEnglish.err;
    const ListerRun failedJapanese = Run(kJapanese, {"--ini", ini, "folder", gone});
    EXPECT_EQ(failedJapanese.status, 1);
    EXPECT_NE(failedJapanese.err.find("開けません: " + gone + ": そのファイルまたはフォルダはありません"),
              std::string::npos)
        << failedJapanese.err;
    for (const ListerRun* english : {&askedEnglish, &countedEnglish, &failedEnglish}) {
        EXPECT_FALSE(HasJapanese(english->err)) << english->err;
    }
}

// A reason the lister has no words of its own for is the C library's, in the same language.
TEST_F(PelmoraListLanguageTest, TheSystemsReasonsFollowTheLanguage) {
    if (pelmora::testing::Capture("locale -a").find("ja_JP.utf8") == std::string::npos)
        GTEST_SKIP() << "the ja_JP.UTF-8 locale is not generated (scripts/install-deps.sh does it)";
    const std::string tooLong = scratch / std::string(300, 'n');
    const ListerRun english = Run(kEnglish, {"--ini", ini, "folder", tooLong});
    EXPECT_EQ(english.status, 1);
    EXPECT_NE(english.err.find(": File name too long"), std::string::npos) << english.err;
    const ListerRun japanese = Run(kJapanese, {"--ini", ini, "folder", tooLong});
    EXPECT_EQ(japanese.status, 1);
    EXPECT_NE(japanese.err.find(": ファイル名が長すぎます"), std::string::npos) << japanese.err;
    // LANGUAGE decides even where the locale itself is not Japanese.
    const ListerRun byLanguage = Run("LANGUAGE=ja LC_ALL= LC_MESSAGES= LANG=C.UTF-8", {"--ini", ini, "folder", tooLong});
    EXPECT_NE(byLanguage.err.find(": ファイル名が長すぎます"), std::string::npos) << byLanguage.err;
}

}  // namespace
