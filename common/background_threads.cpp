#include "common/background_threads.h"

#include <algorithm>

namespace pelmora {

BackgroundThreads::~BackgroundThreads() { JoinAll(); }

bool BackgroundThreads::Run(Work work) {
    JoinEnded();
    if (UnderWay() >= most_) return false;
    auto ended = std::make_shared<std::atomic<bool>>(false);
    std::thread thread([work = std::move(work), ended] {
        std::function<void()> handOver = work();
        ended->store(true);
        if (handOver) handOver();
    });
    workers_.push_back({std::move(thread), std::move(ended)});
    return true;
}

std::size_t BackgroundThreads::UnderWay() const {
    return static_cast<std::size_t>(
        std::count_if(workers_.begin(), workers_.end(), [](const Worker& worker) { return !worker.ended->load(); }));
}

void BackgroundThreads::JoinAll() {
    for (Worker& worker : workers_) worker.thread.join();
    workers_.clear();
}

void BackgroundThreads::JoinEnded() {
    std::erase_if(workers_, [](Worker& worker) {
        if (!worker.ended->load()) return false;
        // The hand-over still runs, briefly: it only posts the result.
        worker.thread.join();
        return true;
    });
}

}  // namespace pelmora
