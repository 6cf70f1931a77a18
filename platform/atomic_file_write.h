#pragma once
// Replacing a file's contents so that a crash or a full disk never leaves it half written.

#include <string>
#include <string_view>

namespace pelmora::platform {

// Writes the bytes to a new file in the same folder and renames it over `path`.
// An existing target keeps its permission bits. On any failure returns false, leaves the
// old file as it was and removes the new one; errno then tells the first failing call.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace pelmora::platform
