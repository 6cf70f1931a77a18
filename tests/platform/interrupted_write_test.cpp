// Writes cut short: a settings save killed at any moment, and writes onto a full disk.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "i18n/translation.h"
#include "listing/engine/listing_messages.h"
#include "listing/engine/result_output.h"
#include "platform/atomic_file_write.h"
#include "settings/key_table.h"
#include "settings/settings_store.h"
#include "tests/support/fake_job_context.h"
#include "tests/support/temp_tree.h"

namespace pelmora {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;

std::set<std::string> Names(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
    return names;
}

// Settings whose save changes every key the dialog writes, so that a mix of old and new
// text would show.
Settings ChangedSettings() {
    Settings settings;
    LoadDefaultSettings(settings);
    for (const SavedKey& saved : SavedKeys()) {
        if (std::string* text = TextField(settings, *saved.descriptor)) {
            *text = "changed " + saved.descriptor->key + std::string(40, 'x');
        } else {
            *IntField(settings, *saved.descriptor) += 7;
        }
    }
    return settings;
}

// Runs a settings save in a child process; SIGKILL after `delay` (none: let it finish).
void SaveInChild(const Settings& settings, const std::string& ini, std::chrono::microseconds delay, bool kill) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) _exit(SaveSettings(settings, ini) ? 0 : 1);
    if (kill) {
        std::this_thread::sleep_for(delay);
        ::kill(child, SIGKILL);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
}

// Pelmora.ini saved by a process killed at random moments of the save, 200 times: the file
// is then the old or the new text, never a mix, and the next start (loading the settings)
// leaves no temporary file behind.
TEST(InterruptedWrite, SettingsSaveKilledAnywhereLeavesOldOrNewFile) {
    testing::TempTree tree;
    const std::string ini = tree.path() + "/Pelmora.ini";
    const std::string before(DefaultIniText());
    const Settings changed = ChangedSettings();

    // How long a whole save takes from the fork, to spread the kills over it.
    std::vector<double> takes;
    for (int i = 0; i < 5; ++i) {
        testing::WriteFile(ini, before);
        const auto start = std::chrono::steady_clock::now();
        SaveInChild(changed, ini, {}, false);
        takes.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    const std::string after = ReadFile(ini);
    ASSERT_NE(after, before);
    std::sort(takes.begin(), takes.end());
    const double span = std::min(takes[2] * 1.2, 50000.0);

    std::mt19937 random(12345);
    std::uniform_real_distribution<double> delay(0, span);
    int sawOld = 0, sawNew = 0, leftovers = 0;
    for (int run = 0; run < 200; ++run) {
        testing::WriteFile(ini, before);
        SaveInChild(changed, ini, std::chrono::microseconds(static_cast<long>(delay(random))), true);
        const std::string now = ReadFile(ini);
        ASSERT_TRUE(now == before || now == after) << "run " << run << ": a mix of old and new";
        (now == before ? sawOld : sawNew)++;
        if (Names(tree.path()).size() > 1) ++leftovers;

        Settings loaded;
        LoadSettings(loaded, ini);
        ASSERT_EQ(Names(tree.path()), std::set<std::string>{"Pelmora.ini"}) << "run " << run;
    }
    EXPECT_GT(sawOld, 0);
    EXPECT_GT(sawNew, 0);
    std::printf("kills: %d before the rename, %d after; %d left a temporary file\n", sawOld, sawNew, leftovers);
}

// A small file system of its own, filled up. Mounting needs the super-user; elsewhere these
// tests are skipped.
class FullDiskTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (::geteuid() != 0) GTEST_SKIP() << "mounting a small file system needs the super-user";
        disk_ = tree_.path() + "/disk";
        fs::create_directory(disk_);
        if (::mount("tmpfs", disk_.c_str(), "tmpfs", 0, "size=64k") != 0) {
            GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(errno);
        }
        mounted_ = true;
    }
    void TearDown() override {
        if (mounted_) ::umount2(disk_.c_str(), MNT_DETACH);
    }
    // Writes a filler file until the disk refuses more.
    void Fill() {
        const int fd = ::open((disk_ + "/filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        const std::string block(4096, 'f');
        while (::write(fd, block.data(), block.size()) > 0) {
        }
        const int error = errno;
        ::close(fd);
        ASSERT_EQ(error, ENOSPC);
    }

    testing::TempTree tree_;
    std::string disk_;
    bool mounted_ = false;
};

// A result saved onto a full disk: the write-failure message, and no file left behind.
TEST_F(FullDiskTest, ResultFileReportsFailureAndLeavesNoPartialFile) {
    Fill();
    testing::FakeJobContext job;
    job.saveDialog.answer = disk_ + "/result.txt";
    SaveResultToFile(job.context, disk_ + "/list.txt", std::string(100000, 'r'));
    EXPECT_EQ(job.dialogs.messages, std::vector<std::string>{Translated(kSaveFailed)});
    EXPECT_EQ(Names(disk_), std::set<std::string>{"filler"});
}

// Pelmora.ini on a full disk: the save fails and the old file stays whole, also when it is
// written in place (a hard-linked file); a shorter text still fits where the old one was.
TEST_F(FullDiskTest, SettingsAndInPlaceFilesKeepTheirOldContents) {
    const std::string ini = disk_ + "/Pelmora.ini";
    const std::string before(DefaultIniText());
    testing::WriteFile(ini, before);
    const std::string linked = disk_ + "/linked.txt";
    testing::WriteFile(linked, "old contents");
    fs::create_hard_link(linked, disk_ + "/other-name.txt");
    Fill();

    EXPECT_FALSE(SaveSettings(ChangedSettings(), ini));
    EXPECT_EQ(ReadFile(ini), before);
    errno = 0;
    EXPECT_FALSE(platform::ReplaceFileContents(linked, std::string(20000, 'n')));
    EXPECT_EQ(errno, ENOSPC);
    EXPECT_EQ(ReadFile(disk_ + "/other-name.txt"), "old contents");
    EXPECT_EQ(Names(disk_), (std::set<std::string>{"Pelmora.ini", "filler", "linked.txt", "other-name.txt"}));

    ASSERT_TRUE(platform::ReplaceFileContents(linked, "short"));
    EXPECT_EQ(ReadFile(disk_ + "/other-name.txt"), "short");
}

}  // namespace
}  // namespace pelmora
