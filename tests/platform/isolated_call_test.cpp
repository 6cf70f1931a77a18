#include "platform/isolated_call.h"

#include <gtest/gtest.h>

#include <csignal>
#include <thread>

namespace pelmora::platform {
namespace {

using namespace std::chrono_literals;

TEST(IsolatedCall, GivesTheTextAndSurvivesAWorkThatFaultsOrHangs) {
    const std::string large(300000, 'x');  // more than a pipe holds at once
    EXPECT_EQ(RunIsolated([&large] { return large; }, 30s), large);
    EXPECT_EQ(RunIsolated([] { return std::string(); }, 30s), std::string());
    // What the work changes stays in its own copy of the process.
    int touched = 0;
    EXPECT_TRUE(RunIsolated([&touched] { touched = 1; return std::string("done"); }, 30s).has_value());
    EXPECT_EQ(touched, 0);

    EXPECT_FALSE(RunIsolated([]() -> std::string { std::raise(SIGSEGV); return "never"; }, 30s).has_value());
    EXPECT_FALSE(RunIsolated([]() -> std::string { throw std::runtime_error("refused"); }, 30s).has_value());
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(RunIsolated([] { std::this_thread::sleep_for(60s); return std::string("late"); }, 200ms).has_value());
    EXPECT_LT(std::chrono::steady_clock::now() - start, 30s);
}

}  // namespace
}  // namespace pelmora::platform
