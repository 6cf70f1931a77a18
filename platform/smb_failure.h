#pragma once
// Failures of a network share that no system error number tells apart: the system says "no
// such file" for a share the server does not have as for a missing folder, and gives no
// number of its own for a server name that does not resolve. Each still compares equal to
// the nearest system error (std::errc::no_such_file_or_directory, host_unreachable), so code
// that tests for those keeps working.

#include <system_error>

namespace pelmora::platform {

enum class SmbFailure {
    NoSuchShare = 1,
    HostNotFound = 2,
};

const std::error_category& SmbFailureCategory();

std::error_code MakeSmbError(SmbFailure failure);

}  // namespace pelmora::platform
