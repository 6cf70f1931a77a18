#include "platform/process_starter.h"

namespace pelmora::platform {

namespace {

// Not available on Windows yet (CreateProcessW with a job object for the time-out comes with
// the tree command's port): no script runs and no program starts.
class UnavailableProcessStarter final : public ProcessStarter {
public:
    ScriptRunOutcome RunCommandScript(const std::string&, std::chrono::milliseconds) override {
        return ScriptRunOutcome::ScriptNotStarted;
    }
    bool StartProgram(const std::vector<std::string>&) override { return false; }
    bool OpenWithDefaultProgram(const std::string& path) override { return platform::OpenWithDefaultProgram(path); }
};

}  // namespace

ProcessStarter& SystemProcessStarter() {
    static UnavailableProcessStarter starter;
    return starter;
}

}  // namespace pelmora::platform
