#include "tools/launch/launcher.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "tests/support/fake_job_context.h"
#include "tests/support/fake_process_starter.h"
#include "tests/support/temp_tree.h"

namespace pelmora {
namespace {

const char kQuestion[] =
    "プログラム、スクリプト、コンポーネントファイル、その他、を実行しようとしています。\r\n実行しますか？";

// "@" in a case's paths stands for the test's folder.
std::string Rooted(const std::string& text, const std::string& root) {
    std::string out;
    for (char c : text) out += c == '@' ? root : std::string(1, c);
    return out;
}

BrowserState Selecting(const std::string& folder, const std::string& name) {
    BrowserState state;
    state.folder = folder;
    state.entries = {"first.txt", name};
    state.selected = {false, !name.empty()};
    return state;
}

TEST(LaunchGuard, TheListTheProgramTestAndTheThreeLockValues) {
    for (const char* extension : {"EXE", "BAT", "VBS", "LNK", "WSH", "AD"}) {
        EXPECT_TRUE(IsGuardedExtension(extension)) << extension;
    }
    for (const char* extension : {"", "TXT", "exe", "EX", "EXEC", "PDF", "DESK"}) {
        EXPECT_FALSE(IsGuardedExtension(extension)) << extension;
    }
    const struct {
        const char* lock;
        const char* extension;
        bool runsProgram;
        LaunchGuard expected;
    } table[] = {
        {"0", "EXE", true, LaunchGuard::Allowed},   {"1", "EXE", false, LaunchGuard::Ask},
        {"2", "EXE", false, LaunchGuard::Refused},  {"1", "TXT", false, LaunchGuard::Allowed},
        {"2", "TXT", false, LaunchGuard::Allowed},  {"1", "", true, LaunchGuard::Ask},
        {"2", "PNG", true, LaunchGuard::Refused},   {"", "BAT", false, LaunchGuard::Ask},  // key missing
    };
    for (const auto& row : table) {
        EXPECT_EQ(CheckLaunchGuard(row.lock, row.extension, row.runsProgram), row.expected)
            << row.lock << " " << row.extension << " " << row.runsProgram;
    }
}

struct LaunchCase {
    const char* name;
    std::string selected;  // empty: nothing selected
    std::string lock;
    bool answer;
    std::vector<std::string> expectedCalls;
    std::vector<std::string> expectedMessages;
    bool expectQuestion;
};

class LaunchSelectedFileTest : public ::testing::TestWithParam<LaunchCase> {};

TEST_P(LaunchSelectedFileTest, DecidesWhatToStart) {
    const LaunchCase& c = GetParam();
    testing::TempTree tree;
    const std::string& root = tree.path();
    for (const char* program : {"opt/my editor/edit", "bin/noext-viewer", "bin/batview"}) tree.AddFile(program, "");
    ::chmod(tree.AddFile("data/tool", "#!/bin/sh\n").c_str(), 0755);
    Settings settings;
    settings.ExtStartLock = c.lock;
    settings.ShellExeExt = {"txt", "TXT", "", "bat", "log"};
    settings.ShellExePath = {"", root + "/opt/my editor/edit", root + "/bin/noext-viewer", root + "/bin/batview",
                             root + "/gone/viewer"};
    testing::FakeProcessStarter starter;
    testing::FakeDialogs dialogs;
    dialogs.answer = c.answer;

    LaunchSelectedFile(Selecting(root + "/data", c.selected), settings, dialogs, starter);

    std::vector<std::string> expectedCalls;
    for (const std::string& call : c.expectedCalls) expectedCalls.push_back(Rooted(call, root));
    std::vector<std::string> expectedMessages;
    for (const std::string& message : c.expectedMessages) expectedMessages.push_back(Rooted(message, root));
    EXPECT_EQ(starter.calls, expectedCalls);
    EXPECT_EQ(dialogs.messages, expectedMessages);
    EXPECT_EQ(dialogs.questions, c.expectQuestion ? std::vector<std::string>{kQuestion} : std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LaunchSelectedFileTest,
    ::testing::Values(
        // Slot 1 names TXT without a program, so slot 2 takes it; the path with spaces and the
        // file name go over as two whole arguments.
        LaunchCase{"SecondSlotWhenFirstHasNoProgram", "My Notes.TXT", "1", true,
                   {"program|@/opt/my editor/edit|@/data/My Notes.TXT"}, {}, false},
        LaunchCase{"NoSlotOpensWithAssociation", "photo.png", "1", true, {"open|@/data/photo.png"}, {}, false},
        LaunchCase{"EmptySlotExtensionMatchesNoExtension", "README", "1", true,
                   {"program|@/bin/noext-viewer|@/data/README"}, {}, false},
        LaunchCase{"GuardedAskedYesThenConfiguredSlot", "run.bat", "1", true,
                   {"program|@/bin/batview|@/data/run.bat"}, {}, true},
        LaunchCase{"GuardedAskedNo", "run.bat", "1", false, {}, {}, true},
        LaunchCase{"GuardedRefusedSilently", "setup.exe", "2", true, {}, {}, false},
        LaunchCase{"RefusalLeavesOrdinaryFilesAlone", "a.pdf", "2", true, {"open|@/data/a.pdf"}, {}, false},
        LaunchCase{"NoGuardAtZero", "setup.exe", "0", false, {"open|@/data/setup.exe"}, {}, false},
        LaunchCase{"ScriptWithoutExtensionIsGuarded", "tool", "2", true, {}, {}, false},
        LaunchCase{"MissingConfiguredProgram", "today.log", "1", true, {}, {"@/gone/viewer が見つかりません"}, false},
        LaunchCase{"ShellCharactersAreJustAName", "$(reboot);'x'.png", "1", true,
                   {"open|@/data/$(reboot);'x'.png"}, {}, false},
        // Nothing selected: the folder itself, which has no extension, so the empty-extension
        // slot takes it.
        LaunchCase{"NothingSelectedHandsOnTheFolder", "", "1", true, {"program|@/bin/noext-viewer|@/data"}, {},
                   false}),
    [](const ::testing::TestParamInfo<LaunchCase>& param) { return param.param.name; });

// On exFAT, NTFS or SMB mounts every file shows an execute bit: only what a start would run
// is guarded, by extension or by an executable header; documents open as usual.
TEST(LaunchSelectedFile, EveryFileExecutableGuardsOnlyPrograms) {
    testing::TempTree tree;
    const std::string docs = tree.AddFolder("docs");
    const struct {
        const char* name;
        std::string content;
        bool guarded;
    } files[] = {
        {"notes.txt", "text", false},          {"README", "plain words", false},
        {"photo.png", "\x89PNG", false},       {"prog", std::string("\x7f" "ELF\x02\x01", 6), true},
        {"script", "#!/bin/sh\necho", true},   {"tool.AppImage", "data", true},
        {"menu.desktop", "[Desktop Entry]", true}, {"setup.run", "data", true},
        {"go.sh", "echo", true},               {"setup.exe", "MZ", true},
    };
    for (const auto& file : files) ::chmod(tree.AddFile("docs/" + std::string(file.name), file.content).c_str(), 0755);
    ::chmod(docs.c_str(), 0755);

    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        Settings settings;
        testing::FakeDialogs dialogs;
        testing::FakeProcessStarter refusing;
        settings.ExtStartLock = "2";
        LaunchSelectedFile(Selecting(docs, file.name), settings, dialogs, refusing);
        EXPECT_EQ(refusing.calls, file.guarded ? std::vector<std::string>{}
                                               : std::vector<std::string>{"open|" + docs + "/" + file.name});
        testing::FakeProcessStarter asking;
        settings.ExtStartLock = "1";
        LaunchSelectedFile(Selecting(docs, file.name), settings, dialogs, asking);
        EXPECT_EQ(dialogs.questions.size(), file.guarded ? 1u : 0u);
    }
    // The folder itself, searchable as every folder is, opens without a question.
    testing::FakeDialogs dialogs;
    testing::FakeProcessStarter starter;
    Settings settings;
    settings.ExtStartLock = "1";
    LaunchSelectedFile(Selecting(docs, ""), settings, dialogs, starter);
    EXPECT_EQ(starter.calls, std::vector<std::string>{"open|" + docs});
    EXPECT_TRUE(dialogs.questions.empty());
}

}  // namespace
}  // namespace pelmora
