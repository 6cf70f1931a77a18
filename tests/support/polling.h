#pragma once
// Waiting for something to happen without sleeping a fixed time: the condition is polled
// until it holds or the deadline passes.

#include <chrono>
#include <fstream>
#include <string>
#include <thread>

namespace pelmora::testing {

template <typename Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds deadline = std::chrono::seconds(5)) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end) return condition();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

// True when no process with this id runs any more (gone, or a zombie nobody collected yet).
inline bool ProcessHasEnded(long processId) {
    std::ifstream stat("/proc/" + std::to_string(processId) + "/stat");
    if (!stat) return true;
    std::string line;
    std::getline(stat, line);
    const auto close = line.rfind(')');
    return close == std::string::npos || close + 2 >= line.size() || line[close + 2] == 'Z' ||
           line[close + 2] == 'X';
}

// The process id a test script wrote into a file, once the file holds one.
inline long ProcessIdFromFile(const std::string& path) {
    long processId = 0;
    WaitUntil([&] {
        std::ifstream in(path);
        return static_cast<bool>(in >> processId);
    });
    return processId;
}

}  // namespace pelmora::testing
