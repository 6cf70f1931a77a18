#include "listing/engine/folder_tree.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/fake_job_context.h"
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
    // A stand-in tree program: a script printing the given body.
    std::string FakeTree(const std::string& body) {
        const std::string path = root_ + "/fake-tree";
        std::ofstream(path) << "#!/bin/sh\n" << body;
        ::chmod(path.c_str(), 0755);
        return path;
    }

    testing::TempTree tree_;
    const std::string root_ = tree_.path();
    const std::string temp_ = tree_.AddFolder("settings");
    Settings settings_;
    testing::FakeJobContext job_;
};

// The real tree printer on a folder whose names a shell would expand: they are listed,
// never run, names that are not UTF-8 come back byte for byte, and the delivered text
// drops the two header lines and ends with CR LF.
TEST_F(ListFolderTreeTest, ListsHostileFolderNamesWithoutRunningThem) {
    const std::string folder = root_ + "/data $(touch pwned) `touch pwned2`";
    std::filesystem::create_directories(folder + "/it's \"quoted\"");
    std::filesystem::create_directories(folder + "/caf\xE9");  // Latin-1, not UTF-8
    std::ofstream(folder + "/a.txt") << "a";

    const ListingOutcome outcome = ListFolderTree(folder, settings_, PELMORA_TREE_PROGRAM, temp_, job_.context);
    EXPECT_TRUE(outcome.delivered);
    EXPECT_EQ(outcome.text, job_.clipboard.text);

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
    ListFolderTree(root_ + "/settings", settings_, PELMORA_TREE_PROGRAM, temp_, job_.context);
    EXPECT_EQ(job_.clipboard.text, root_ + "/settings\r\nサブフォルダーは存在しません\r\n\r\n");
    ASSERT_EQ(job_.saveDialog.requests.size(), 1u);  // the user then cancels the dialog
    EXPECT_EQ(job_.dialogs.messages.front(), kTransferred);
    ExpectNoTemporaryFiles();
}

TEST_F(ListFolderTreeTest, MissingProgramAndNoAnswerStopBeforeAnything) {
    EXPECT_TRUE(ListFolderTree(root_, settings_, root_ + "/no-such-tree", temp_, job_.context).failed);
    EXPECT_TRUE(job_.dialogs.questions.empty());
    ASSERT_EQ(job_.dialogs.messages.size(), 1u);
    EXPECT_EQ(job_.dialogs.messages[0],
              "システムフォルダにTree.comが見つかりません。\r\n中止します。\r\n(9x系Windowsでは使用できません)");

    testing::FakeJobContext declined;
    declined.dialogs.answer = false;
    const ListingOutcome no = ListFolderTree(root_, settings_, PELMORA_TREE_PROGRAM, temp_, declined.context);
    EXPECT_TRUE(no.declined);
    EXPECT_FALSE(no.failed);
    EXPECT_EQ(declined.dialogs.questions,
              std::vector<std::string>{
                  "ツリーの取得は時間がかかる場合があります。\r\n途中で中止はできません。\r\n実行しますか？"});
    EXPECT_EQ(declined.dialogs.messages, std::vector<std::string>{"中止しました"});
    EXPECT_TRUE(declined.progress.activities.empty());
    EXPECT_TRUE(declined.clipboard.calls.empty());
}

// A tree that outlives the wait is ended, and what it wrote by then is delivered.
TEST_F(ListFolderTreeTest, SlowTreeIsEndedAfterTheWaitTime) {
    const std::string marker = root_ + "/still-running";
    const std::string tree = FakeTree("printf 'head 1\\r\\nhead 2\\r\\n'\nprintf 'partial\\n'\nsleep 3\ntouch '" +
                                      marker + "'\n");
    settings_.TreeWaitTime = 1;
    const auto started = std::chrono::steady_clock::now();
    ListFolderTree(root_, settings_, tree, temp_, job_.context);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(3));
    EXPECT_EQ(job_.clipboard.text, "partial\r\n");
    ExpectNoTemporaryFiles();
    ::sleep(3);
    EXPECT_FALSE(std::filesystem::exists(marker)) << "the tree program was left running";
}

TEST_F(ListFolderTreeTest, FailuresAreReportedAndCleanedUp) {
    // The temporary folder does not exist: the script cannot be written.
    EXPECT_TRUE(ListFolderTree(root_, settings_, PELMORA_TREE_PROGRAM, root_ + "/missing", job_.context).failed);
    ASSERT_EQ(job_.dialogs.messages.size(), 1u);
    EXPECT_EQ(job_.dialogs.messages[0].rfind("ツリーの取得に失敗しました。", 0), 0u);
    EXPECT_FALSE(job_.progress.IsOpen());
    EXPECT_TRUE(job_.clipboard.calls.empty());

    // A tree program that is present but cannot be executed.
    testing::FakeJobContext second;
    second.dialogs.answer = true;
    const std::string notExecutable = root_ + "/not-executable";
    std::ofstream(notExecutable) << "data";
    ::chmod(notExecutable.c_str(), 0644);
    if (::access(notExecutable.c_str(), X_OK) == 0) GTEST_SKIP() << "running with every permission";
    EXPECT_TRUE(ListFolderTree(root_, settings_, notExecutable, temp_, second.context).failed);
    ASSERT_EQ(second.dialogs.messages.size(), 1u);
    EXPECT_EQ(second.dialogs.messages[0].rfind("ツリーの取得に失敗しました。", 0), 0u);
    EXPECT_FALSE(second.progress.IsOpen());
    EXPECT_TRUE(second.clipboard.calls.empty());
    ExpectNoTemporaryFiles();
}

}  // namespace
}  // namespace pelmora
