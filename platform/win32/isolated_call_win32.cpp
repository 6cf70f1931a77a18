#include "platform/isolated_call.h"

namespace pelmora::platform {

// Not available on Windows yet: there is no fork, and the helper program is part of
// ChoiView's port. Work that must run isolated does not run at all.

std::unique_ptr<IsolatedCall> StartIsolated(const std::function<std::string()>&) { return nullptr; }

std::unique_ptr<SharedAnswerBlock> MakeSharedAnswerBlock() { return nullptr; }

std::unique_ptr<IsolatedCall> StartIsolatedProgram(const std::vector<std::string>&, const SharedAnswerBlock*) {
    return nullptr;
}

std::unique_ptr<WritableSharedBlock> OpenSharedAnswerBlock(std::uint64_t) { return nullptr; }

bool ForbidMemoryDumps() { return false; }

bool WriteIsolatedAnswer(const std::string&) { return false; }

std::optional<std::string> WaitForIsolated(const IsolatedStart& start, std::chrono::milliseconds) {
    if (const auto call = start()) call->End();
    return std::nullopt;
}

std::optional<std::string> RunIsolated(const std::function<std::string()>&, std::chrono::milliseconds) {
    return std::nullopt;
}

}  // namespace pelmora::platform
