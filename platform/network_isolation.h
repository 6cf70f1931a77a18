#pragma once
// Running a program without network access, for programs that read untrusted files and could
// be made to fetch what a file names (LibreOffice converting a document).

#include <string>
#include <vector>

namespace pelmora::platform {

// The argument vector that runs `arguments` with no network at all, where the system allows
// it (POSIX: a network namespace of its own through util-linux's unshare, in a user namespace
// of its own for an ordinary user, which needs unprivileged user namespaces). Nothing when it
// does not: the caller then keeps its own defences. Found out once per run.
std::vector<std::string> WithoutNetwork(const std::vector<std::string>& arguments);

// Whether WithoutNetwork can isolate here.
bool NetworkIsolationAvailable();

// The exit code of a wrapped run whose program could not be started.
inline constexpr int kIsolatedProgramMissing = 127;

}  // namespace pelmora::platform
