#pragma once
// Starting other programs directly from an argument vector: no shell ever reads a path, so
// no character of a file or folder name is interpreted.

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pelmora::platform {

// A started child process that this program waits for. It runs in a process group of its
// own, so that ending it also ends whatever it started (a script's programs).
class ChildProcess {
public:
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    // Ends the process group if it still runs and collects the child.
    ~ChildProcess();

    // Starts arguments[0] (looked up in PATH when it holds no "/") with the whole vector as
    // its argv; standard input, output and error are /dev/null. Nothing on failure, with the reason.
    static std::unique_ptr<ChildProcess> Start(const std::vector<std::string>& arguments, std::string& error);

    // True when the process ended within timeout.
    bool WaitFor(std::chrono::milliseconds timeout);
    // Ends the whole process group at once and collects the child.
    void Kill();
    bool HasEnded() const { return ended_; }
    int ExitStatus() const { return exitStatus_; }  // the raw wait status once ended
    // The code the process passed to exit; nothing while it runs or when a signal ended it.
    std::optional<int> ExitCode() const;

private:
    explicit ChildProcess(int processId) : processId_(processId) {}
    bool Collect(bool block);

    int processId_;
    bool ended_ = false;
    int exitStatus_ = 0;
};

// Starts a program that lives on by itself (its own session, never this program's child to
// wait for), with the given argument vector. True when the program was started; false, with
// the reason, when it could not be executed.
bool StartIndependentProgram(const std::vector<std::string>& arguments, std::string& error);

// Becomes the program arguments[0] (a path) with the whole vector as its argv, keeping this
// process's standard input, output and error and its exit status for the caller. Returns
// only when the program could not be executed, with the reason.
void ReplaceThisProcess(const std::vector<std::string>& arguments, std::string& error);

}  // namespace pelmora::platform
