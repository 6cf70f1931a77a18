// Threads beside a window: the cap on threads under way, the hand-over that sees the room
// its thread left, and the wait for threads given up.

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <latch>

#include "common/background_threads.h"

namespace pelmora {
namespace {

TEST(BackgroundThreads, RefusesWorkWhileTheCapIsReachedAndTakesItOnceAThreadHasEnded) {
    BackgroundThreads threads(2);
    std::promise<void> firstRelease, secondRelease;
    std::shared_future<void> first = firstRelease.get_future().share();
    std::shared_future<void> second = secondRelease.get_future().share();
    std::promise<void> firstHandedOver;
    ASSERT_TRUE(threads.Run([first, &firstHandedOver]() -> std::function<void()> {
        first.wait();
        return [&firstHandedOver] { firstHandedOver.set_value(); };
    }));
    ASSERT_TRUE(threads.Run([second]() -> std::function<void()> {
        second.wait();
        return {};
    }));
    EXPECT_EQ(threads.UnderWay(), 2u);
    std::atomic<bool> ran{false};
    EXPECT_FALSE(threads.Run([&ran]() -> std::function<void()> {
        ran = true;
        return {};
    }));

    firstRelease.set_value();
    firstHandedOver.get_future().wait();
    EXPECT_EQ(threads.UnderWay(), 1u);
    std::promise<void> thirdDone;
    EXPECT_TRUE(threads.Run([&]() -> std::function<void()> {
        ran = true;
        return [&thirdDone] { thirdDone.set_value(); };
    }));
    thirdDone.get_future().wait();
    EXPECT_TRUE(ran);
    secondRelease.set_value();
    threads.JoinAll();
    EXPECT_EQ(threads.UnderWay(), 0u);
}

TEST(BackgroundThreads, AHandOverAlreadyCountsItsThreadAsEnded) {
    BackgroundThreads threads(1);
    std::promise<void> handingOver, checked;
    std::shared_future<void> checkedDone = checked.get_future().share();
    ASSERT_TRUE(threads.Run([&, checkedDone]() -> std::function<void()> {
        return [&, checkedDone] {
            handingOver.set_value();
            checkedDone.wait();
        };
    }));
    // The receiver of a result may start the next reading while the hand-over still runs.
    handingOver.get_future().wait();
    EXPECT_EQ(threads.UnderWay(), 0u);
    checked.set_value();
}

TEST(BackgroundThreads, GoingAwayWaitsForEveryThreadGivenUp) {
    std::atomic<int> finished{0};
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    {
        BackgroundThreads threads(4);
        std::latch started(3);
        for (int i = 0; i < 3; ++i) {
            ASSERT_TRUE(threads.Run([&, released]() -> std::function<void()> {
                started.count_down();
                released.wait();
                ++finished;
                return {};
            }));
        }
        started.wait();
        release.set_value();
    }
    EXPECT_EQ(finished.load(), 3);
}

}  // namespace
}  // namespace pelmora
