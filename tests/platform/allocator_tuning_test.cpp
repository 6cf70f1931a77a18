#include "platform/allocator_tuning.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <barrier>
#include <cstdlib>
#include <fstream>
#include <thread>
#include <vector>

namespace pelmora::platform {
namespace {

constexpr int kThreads = 8;

// In a child process (the arena limit is for the whole process and only holds for arenas
// made after it): optionally limits the arenas, lets kThreads threads allocate while all of
// them are alive, and reports the arena count as its exit status.
int ArenasWithThreads(int limit) {
    const pid_t child = fork();
    if (child == 0) {
        if (limit > 0) LimitAllocatorArenas(limit);
        std::barrier together(kThreads + 1);
        std::vector<std::thread> threads;
        for (int i = 0; i < kThreads; ++i)
            threads.emplace_back([&together] {
                void* volatile block = std::malloc(4096);  // volatile: the pair is not optimised away
                together.arrive_and_wait();  // all hold their block
                together.arrive_and_wait();  // the count is taken
                std::free(block);
            });
        together.arrive_and_wait();
        const int count = AllocatorArenaCount();
        together.arrive_and_wait();
        for (std::thread& thread : threads) thread.join();
        _exit(count);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

long ResidentKiB() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Where another allocator serves malloc (a sanitizer's, a C library without arenas), threads
// do not get arenas of their own and there is nothing to tune.
class AllocatorTuningTest : public ::testing::Test {
protected:
    void SetUp() override {
        unlimited_ = ArenasWithThreads(0);
        if (unlimited_ <= 2) GTEST_SKIP() << "the allocator gives threads no arenas of their own (" << unlimited_ << ")";
    }
    int unlimited_ = 0;
};

TEST_F(AllocatorTuningTest, LimitedArenasAreSharedByAllThreads) {
    EXPECT_GT(unlimited_, 2);
    EXPECT_EQ(ArenasWithThreads(2), 2);
    EXPECT_EQ(ArenasWithThreads(1), 1);
}

TEST_F(AllocatorTuningTest, FreeMemoryBelowALiveBlockGoesBackToTheSystem) {
    // 64 MiB in blocks below the size the allocator maps on its own, freed all but the last,
    // so the free memory lies under a live block and is not trimmed by free() itself.
    constexpr std::size_t kBlock = 32 * 1024;
    std::vector<char*> blocks;
    for (int i = 0; i < 2048; ++i) {
        blocks.push_back(static_cast<char*>(std::malloc(kBlock)));
        for (std::size_t at = 0; at < kBlock; at += 4096) blocks.back()[at] = 1;
    }
    for (std::size_t i = 0; i + 1 < blocks.size(); ++i) std::free(blocks[i]);
    const long before = ResidentKiB();
    ReturnFreeHeapMemory();
    EXPECT_LT(ResidentKiB(), before - 32 * 1024);
    std::free(blocks.back());
}

}  // namespace
}  // namespace pelmora::platform
