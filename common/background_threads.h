#pragma once
// Work run on threads of their own beside a window, which may stop waiting for it at any
// time: a network request cannot be interrupted, so a thread given up runs on until its
// request ends (at the server's time-out) and is joined afterwards. At most `most` threads
// run at once, so a server that keeps every request waiting cannot gather threads without
// bound while the user keeps trying. Used from the owner's thread only; the work and its
// hand-over run on the thread started for them.

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

namespace pelmora {

class BackgroundThreads {
public:
    // What runs on the thread: it returns what hands its result over (to the window), which
    // runs after the thread has stopped counting as under way, so that whoever receives the
    // result can start the next piece of work at once.
    using Work = std::function<std::function<void()>()>;

    explicit BackgroundThreads(std::size_t most) : most_(most) {}
    // Waits for every thread, the ones given up included.
    ~BackgroundThreads();
    BackgroundThreads(const BackgroundThreads&) = delete;
    BackgroundThreads& operator=(const BackgroundThreads&) = delete;

    // False, with nothing started, while `most` threads are still under way.
    bool Run(Work work);
    // The threads whose work has not ended yet.
    std::size_t UnderWay() const;
    void JoinAll();

private:
    struct Worker {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> ended;
    };
    void JoinEnded();

    std::size_t most_;
    std::vector<Worker> workers_;
};

}  // namespace pelmora
