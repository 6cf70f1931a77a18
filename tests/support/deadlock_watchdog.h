#pragma once
// Ends the test program with a message when the test that made it has not finished in
// time: a deadlock then fails its test at once and says so, rather than holding the run
// until the test driver's time-out.

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace pelmora::testing {

class DeadlockWatchdog {
public:
    explicit DeadlockWatchdog(std::chrono::seconds limit)
        : thread_([this, limit] {
              std::unique_lock lock(mutex_);
              if (!finished_.wait_for(lock, limit, [this] { return done_; })) {
                  std::fprintf(stderr, "deadlock: the test did not finish within %lld s\n",
                               static_cast<long long>(limit.count()));
                  std::fflush(stderr);
                  std::_Exit(1);
              }
          }) {}
    ~DeadlockWatchdog() {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        finished_.notify_all();
        thread_.join();
    }
    DeadlockWatchdog(const DeadlockWatchdog&) = delete;
    DeadlockWatchdog& operator=(const DeadlockWatchdog&) = delete;

private:
    std::mutex mutex_;
    std::condition_variable finished_;
    bool done_ = false;
    std::thread thread_;  // last: starts once the members it uses exist
};

}  // namespace pelmora::testing
