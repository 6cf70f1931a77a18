#include "listing/engine/folder_tree.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "platform/process_starter.h"
#include "tests/support/fake_job_context.h"
#include "tests/support/fake_process_starter.h"
#include "tests/support/temp_tree.h"

namespace pelmora {
namespace {

const char kTransferred[] = "クリップボードへ転送しました。";

TEST(TreeScript, SwitchesFollowTheRedirectionAndEveryPathIsQuoted) {
    const struct {
        const char* file;
        const char* ascii;
        const char* switches;
    } table[] = {{"0", "0", ""}, {"0", "1", " /A"}, {"1", "0", " /F"}, {"1", "1", " /F /A"}, {"", "yes", ""}};
    for (const auto& row : table) {
        Settings settings;
        settings.TreeFile = row.file;
        settings.TreeAscii = row.ascii;
        EXPECT_EQ(TreeSwitchText(settings), row.switches) << row.file << row.ascii;
    }
    EXPECT_EQ(TreeScriptLine("/opt/my apps/pelmora-tree", "/data/it's $(x)", "/home/u/px_tree.txt", " /F /A"),
              "'/opt/my apps/pelmora-tree' '/data/it'\\''s $(x)' > '/home/u/px_tree.txt' /F /A");
}

class ListFolderTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings_.TreeFile = "1";
        settings_.TreeAscii = "1";
        settings_.TreeWaitTime = 30;
        settings_.TreeWrite = "0";
        settings_.TreeWriteName = "tree.txt";
        job_.dialogs.answer = true;
    }
    void ExpectNoTemporaryFiles() {
        EXPECT_FALSE(std::filesystem::exists(temp_ + "/px_tree.sh"));
        EXPECT_FALSE(std::filesystem::exists(temp_ + "/px_tree.txt"));
    }
    testing::TempTree tree_;
    const std::string root_ = tree_.path();
    const std::string temp_ = tree_.AddFolder("settings");
    Settings settings_;
    testing::FakeJobContext job_;
    testing::FakeProcessStarter starter_;
};

// The real tree printer on a folder whose names a shell would expand: they are listed,
// never run, names that are not UTF-8 come back byte for byte, and the delivered text
// drops the two header lines and ends with CR LF.
TEST_F(ListFolderTreeTest, ListsHostileFolderNamesWithoutRunningThem) {
    const std::string folder = root_ + "/data $(touch pwned) `touch pwned2`";
    std::filesystem::create_directories(folder + "/it's \"quoted\"");
    std::filesystem::create_directories(folder + "/caf\xE9");  // Latin-1, not UTF-8
    std::ofstream(folder + "/a.txt") << "a";

    const ListingOutcome outcome = ListFolderTree(folder, settings_, PELMORA_TREE_PROGRAM, temp_, job_.context,
                                                  platform::SystemProcessStarter());
    EXPECT_TRUE(outcome.delivered);
    EXPECT_EQ(outcome.text(), job_.clipboard.text);

    EXPECT_EQ(job_.clipboard.text,
              folder + "\r\n|   a.txt\r\n|   \r\n+---caf\xE9\r\n\\---it's \"quoted\"\r\n");
    EXPECT_FALSE(std::filesystem::exists("pwned"));
    EXPECT_FALSE(std::filesystem::exists(root_ + "/pwned"));
    EXPECT_FALSE(std::filesystem::exists(temp_ + "/pwned2"));
    EXPECT_EQ(job_.dialogs.questions.size(), 1u);
    EXPECT_EQ(job_.dialogs.messages, std::vector<std::string>{kTransferred});
    ASSERT_FALSE(job_.progress.activities.empty());
    EXPECT_EQ(job_.progress.activities.front(), "ツリー作成中");
    EXPECT_FALSE(job_.progress.cancellable);
    EXPECT_FALSE(job_.progress.IsOpen());
    EXPECT_TRUE(job_.saveDialog.requests.empty());
    ExpectNoTemporaryFiles();
}

TEST_F(ListFolderTreeTest, FolderWithoutSubfoldersAndTheSaveSwitch) {
    settings_.TreeFile = "0";
    settings_.TreeAscii = "0";
    settings_.TreeWrite = "1";
    ListFolderTree(root_ + "/settings", settings_, PELMORA_TREE_PROGRAM, temp_, job_.context,
                   platform::SystemProcessStarter());
    EXPECT_EQ(job_.clipboard.text, root_ + "/settings\r\nサブフォルダーは存在しません\r\n\r\n");
    ASSERT_EQ(job_.saveDialog.requests.size(), 1u);  // the user then cancels the dialog
    EXPECT_EQ(job_.dialogs.messages.front(), kTransferred);
    ExpectNoTemporaryFiles();
}

TEST_F(ListFolderTreeTest, MissingProgramAndNoAnswerStopBeforeAnything) {
    EXPECT_TRUE(ListFolderTree(root_, settings_, root_ + "/no-such-tree", temp_, job_.context, starter_).failed);
    EXPECT_TRUE(job_.dialogs.questions.empty());
    ASSERT_EQ(job_.dialogs.messages.size(), 1u);
    EXPECT_EQ(job_.dialogs.messages[0],
              "システムフォルダにTree.comが見つかりません。\r\n中止します。\r\n(9x系Windowsでは使用できません)");

    testing::FakeJobContext declined;
    declined.dialogs.answer = false;
    const ListingOutcome no = ListFolderTree(root_, settings_, PELMORA_TREE_PROGRAM, temp_, declined.context, starter_);
    EXPECT_TRUE(no.declined);
    EXPECT_FALSE(no.failed);
    EXPECT_EQ(declined.dialogs.questions,
              std::vector<std::string>{
                  "ツリーの取得は時間がかかる場合があります。\r\n途中で中止はできません。\r\n実行しますか？"});
    EXPECT_EQ(declined.dialogs.messages, std::vector<std::string>{"中止しました"});
    EXPECT_TRUE(declined.progress.activities.empty());
    EXPECT_TRUE(declined.clipboard.calls.empty());
    EXPECT_TRUE(starter_.calls.empty());
}

// The script as it is run, and a tree that outlived the wait: what it wrote by then is
// delivered. A wait time below one second waits one second.
TEST_F(ListFolderTreeTest, ScriptBytesAndATreeEndedAtTheWaitTime) {
    const std::string output = temp_ + "/px_tree.txt";
    starter_.onScript = [&](const std::string&) {
        std::ofstream(output, std::ios::binary) << "head 1\r\nhead 2\r\npartial\n";
        return platform::ScriptRunOutcome::TimedOut;
    };
    settings_.TreeWaitTime = 0;
    const std::string tree = tree_.AddFile("my tree");  // present; the fake never runs it
    EXPECT_TRUE(ListFolderTree(root_ + "/it's", settings_, tree, temp_, job_.context, starter_).delivered);
    EXPECT_EQ(starter_.calls, std::vector<std::string>{"script|" + temp_ + "/px_tree.sh"});
    EXPECT_EQ(starter_.scripts,
              std::vector<std::string>{"'" + tree + "' '" + root_ + "/it'\\''s' > '" + output + "' /F /A\n"});
    EXPECT_EQ(starter_.timeouts, std::vector<std::chrono::milliseconds>{std::chrono::seconds(1)});
    EXPECT_EQ(job_.clipboard.text, "partial\r\n");
    ExpectNoTemporaryFiles();
}

TEST_F(ListFolderTreeTest, FailuresAreReportedAndCleanedUp) {
    const std::string tree = PELMORA_TREE_PROGRAM;
    const struct {
        const char* name;
        std::string tempFolder;
        platform::ScriptRunOutcome outcome;
        bool writesOutput;
        std::string message;
    } cases[] = {
        {"script cannot be written", root_ + "/missing", platform::ScriptRunOutcome::Finished, true,
         "ツリーの取得に失敗しました。\r\n一時ファイルを書き込めません：\r\n" + root_ + "/missing/px_tree.sh"},
        {"no interpreter", temp_, platform::ScriptRunOutcome::ScriptNotStarted, true,
         "ツリーの取得に失敗しました。\r\nツリーを作成できません：\r\n" + temp_ + "/px_tree.sh"},
        {"tree cannot be executed", temp_, platform::ScriptRunOutcome::ProgramNotStarted, true,
         "ツリーの取得に失敗しました。\r\nツリーを作成できません：\r\n" + tree},
        {"no output", temp_, platform::ScriptRunOutcome::Finished, false,
         "ツリーの取得に失敗しました。\r\n出力ファイルを読み込めません：\r\n" + temp_ + "/px_tree.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing::FakeJobContext job;
        job.dialogs.answer = true;
        starter_.onScript = [&](const std::string&) {
            if (c.writesOutput) std::ofstream(temp_ + "/px_tree.txt") << "a\nb\nc\n";
            return c.outcome;
        };
        EXPECT_TRUE(ListFolderTree(root_, settings_, tree, c.tempFolder, job.context, starter_).failed);
        EXPECT_EQ(job.dialogs.messages, std::vector<std::string>{c.message});
        EXPECT_FALSE(job.progress.IsOpen());
        EXPECT_TRUE(job.clipboard.calls.empty());
        ExpectNoTemporaryFiles();
    }
}

// The tree program explains itself; only the sole argument counts as a request for help.
TEST(TreeProgram, HelpAndQuestionMarkPrintTheUsage) {
    // The help as written, in English (its Japanese comes from the catalogue).
    const std::string program = "LANGUAGE=en " + testing::ShellQuote(PELMORA_TREE_PROGRAM);
    for (const char* request : {"--help", "'/?'"}) {
        const std::string usage = testing::Capture(program + " " + request + "; echo status $?");
        EXPECT_EQ(usage.rfind("usage: pelmora-tree PATH [/F] [/A]\n", 0), 0u) << usage;
        EXPECT_NE(usage.find("status 0"), std::string::npos);
    }
    EXPECT_NE(testing::Capture(program + " --help /F 2>&1; echo status $?").find("無効なパスです - --help"),
              std::string::npos);
}

}  // namespace
}  // namespace pelmora
