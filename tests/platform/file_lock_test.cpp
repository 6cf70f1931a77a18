#include "platform/file_lock.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace fs = std::filesystem;
using pelmora::platform::FileLock;

namespace {

class FileLockTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "pelmora-lock-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        target_ = (dir_ / "Pelmora.ini").string();
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    fs::path dir_;
    std::string target_;
};

TEST_F(FileLockTest, ExcludesAnotherHolderInTheSameProcess) {
    std::atomic<int> stage{0};
    std::thread second;
    {
        FileLock first(target_);
        ASSERT_TRUE(first.Locked());
        second = std::thread([&] {
            stage = 1;
            FileLock again(target_);
            // Only reachable after the first lock is gone.
            stage = stage == 2 ? 3 : -1;
        });
        while (stage != 1) std::this_thread::yield();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        stage = 2;
    }
    second.join();
    EXPECT_EQ(stage, 3);
}

TEST_F(FileLockTest, ExcludesAnotherProcessAndSurvivesReplacingTheFile) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const std::string marker = (dir_ / "child-done").string();
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(ready[0]);
        FileLock lock(target_);
        // Replacing the target (as an atomic write does) must not release anything.
        std::ofstream(target_ + ".new") << "x";
        fs::rename(target_ + ".new", target_);
        (void)!write(ready[1], "1", 1);
        usleep(200 * 1000);
        std::ofstream(marker) << "done";
        _exit(lock.Locked() ? 0 : 1);
    }
    close(ready[1]);
    char byte = 0;
    ASSERT_EQ(read(ready[0], &byte, 1), 1);
    close(ready[0]);
    {
        FileLock lock(target_);
        EXPECT_TRUE(lock.Locked());
        EXPECT_TRUE(fs::exists(marker)) << "lock taken while the other process still held it";
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST_F(FileLockTest, MissingFolderHoldsNothingWithoutFailing) {
    FileLock lock((dir_ / "missing" / "Pelmora.ini").string());
    EXPECT_FALSE(lock.Locked());
}

}  // namespace
