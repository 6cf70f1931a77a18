#include "tools/launch/launcher.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

#include "tests/support/fake_job_context.h"
#include "tests/support/temp_tree.h"

namespace pelmora {
namespace {

const char kQuestion[] =
    "プログラム、スクリプト、コンポーネントファイル、その他、を実行しようとしています。\r\n実行しますか？";

class RecordingStarter : public ProcessStarter {
public:
    bool FileExists(const std::string& path) override { return existing.count(path) != 0; }
    bool IsExecutableFile(const std::string& path) override { return executable.count(path) != 0; }
    void StartProgram(const std::string& program, const std::string& file) override {
        calls.push_back("program|" + program + "|" + file);
    }
    void OpenWithAssociation(const std::string& path) override { calls.push_back("open|" + path); }

    std::set<std::string> existing;
    std::set<std::string> executable;
    std::vector<std::string> calls;
};

BrowserState Selecting(const std::string& name) {
    BrowserState state;
    state.folder = "/data";
    state.entries = {"first.txt", name};
    state.selected = {false, !name.empty()};
    return state;
}

TEST(LaunchGuard, TheListThePermissionBitAndTheThreeLockValues) {
    for (const char* extension : {"EXE", "BAT", "VBS", "LNK", "WSH", "AD", "DESKTOP", "SH", "APPIMAGE", "RUN"}) {
        EXPECT_TRUE(IsGuardedExtension(extension)) << extension;
    }
    for (const char* extension : {"", "TXT", "exe", "EX", "EXEC", "PDF", "DESK"}) {
        EXPECT_FALSE(IsGuardedExtension(extension)) << extension;
    }
    const struct {
        const char* lock;
        const char* extension;
        bool executable;
        LaunchGuard expected;
    } table[] = {
        {"0", "EXE", true, LaunchGuard::Allowed},   {"1", "EXE", false, LaunchGuard::Ask},
        {"2", "EXE", false, LaunchGuard::Refused},  {"1", "TXT", false, LaunchGuard::Allowed},
        {"2", "TXT", false, LaunchGuard::Allowed},  {"1", "", true, LaunchGuard::Ask},
        {"2", "PNG", true, LaunchGuard::Refused},   {"", "BAT", false, LaunchGuard::Ask},  // key missing
    };
    for (const auto& row : table) {
        EXPECT_EQ(CheckLaunchGuard(row.lock, row.extension, row.executable), row.expected)
            << row.lock << " " << row.extension << " " << row.executable;
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
    Settings settings;
    settings.ExtStartLock = c.lock;
    settings.ShellExeExt = {"txt", "TXT", "", "bat", "log"};
    settings.ShellExePath = {"", "/opt/my editor/edit", "/usr/bin/noext-viewer", "/usr/bin/batview", "/gone/viewer"};
    RecordingStarter starter;
    starter.existing = {"/opt/my editor/edit", "/usr/bin/noext-viewer", "/usr/bin/batview"};
    starter.executable = {"/data/tool"};
    testing::FakeDialogs dialogs;
    dialogs.answer = c.answer;

    LaunchSelectedFile(Selecting(c.selected), settings, dialogs, starter);

    EXPECT_EQ(starter.calls, c.expectedCalls);
    EXPECT_EQ(dialogs.messages, c.expectedMessages);
    EXPECT_EQ(dialogs.questions, c.expectQuestion ? std::vector<std::string>{kQuestion} : std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LaunchSelectedFileTest,
    ::testing::Values(
        // Slot 1 names TXT without a program, so slot 2 takes it; the path with spaces and the
        // file name go over as two whole arguments.
        LaunchCase{"SecondSlotWhenFirstHasNoProgram", "My Notes.TXT", "1", true,
                   {"program|/opt/my editor/edit|/data/My Notes.TXT"}, {}, false},
        LaunchCase{"NoSlotOpensWithAssociation", "photo.png", "1", true, {"open|/data/photo.png"}, {}, false},
        LaunchCase{"EmptySlotExtensionMatchesNoExtension", "README", "1", true,
                   {"program|/usr/bin/noext-viewer|/data/README"}, {}, false},
        LaunchCase{"GuardedAskedYesThenConfiguredSlot", "run.bat", "1", true,
                   {"program|/usr/bin/batview|/data/run.bat"}, {}, true},
        LaunchCase{"GuardedAskedNo", "run.bat", "1", false, {}, {}, true},
        LaunchCase{"GuardedRefusedSilently", "setup.exe", "2", true, {}, {}, false},
        LaunchCase{"RefusalLeavesOrdinaryFilesAlone", "a.pdf", "2", true, {"open|/data/a.pdf"}, {}, false},
        LaunchCase{"NoGuardAtZero", "setup.exe", "0", false, {"open|/data/setup.exe"}, {}, false},
        LaunchCase{"ExecuteBitIsGuarded", "tool", "2", true, {}, {}, false},
        LaunchCase{"MissingConfiguredProgram", "today.log", "1", true, {}, {"/gone/viewer が見つかりません"}, false},
        LaunchCase{"ShellCharactersAreJustAName", "$(reboot);'x'.png", "1", true,
                   {"open|/data/$(reboot);'x'.png"}, {}, false},
        // Nothing selected: the folder itself, which has no extension, so the empty-extension
        // slot takes it.
        LaunchCase{"NothingSelectedHandsOnTheFolder", "", "1", true, {"program|/usr/bin/noext-viewer|/data"}, {},
                   false}),
    [](const ::testing::TestParamInfo<LaunchCase>& param) { return param.param.name; });

// The real starter: a program started with a file argument receives it untouched.
TEST(SystemProcessStarter, PassesTheFileAsOneArgumentWithoutAShell) {
    testing::TempTree tree;
    const std::string& root = tree.path();
    const std::string program = root + "/my program";
    const std::string received = root + "/received";
    std::ofstream(program) << "#!/bin/sh\nprintf '%s|%s' \"$#\" \"$1\" > '" << received << "'\n";
    ::chmod(program.c_str(), 0755);
    const std::string file = root + "/a $(touch " + root + "/pwned) 'b'.txt";

    SystemProcessStarter starter;
    EXPECT_TRUE(starter.FileExists(program));
    EXPECT_TRUE(starter.IsExecutableFile(program));
    EXPECT_FALSE(starter.IsExecutableFile(root));  // a folder's search bit does not count
    starter.StartProgram(program, file);
    std::string content;
    for (int i = 0; i < 200 && content.empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::ifstream in(received);
        std::getline(in, content);
    }
    EXPECT_EQ(content, "1|" + file);
    EXPECT_FALSE(std::filesystem::exists(root + "/pwned"));
}

}  // namespace
}  // namespace pelmora
