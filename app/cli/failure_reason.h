#pragma once
// Why a path could not be read, in the lister's words, for a script to tell one failure
// from another.

#include <string>
#include <system_error>

namespace pelmora::cli {

// "access denied", "no such share", "no such file or folder", "connection refused", "host
// not found", "timed out", ...; the system's own text for the rest.
std::string FailureReasonText(const std::error_code& error);

// The error opening path gives, as a folder or as a file to read; none when it opens.
std::error_code FolderOpenError(const std::string& path);
std::error_code FileOpenError(const std::string& path);

}  // namespace pelmora::cli
