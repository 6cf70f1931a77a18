#include "platform/native_path.h"

namespace pelmora::platform {

// POSIX paths are bytes for the system and the standard library alike: nothing to convert,
// so names that are not UTF-8 survive.
std::filesystem::path NativePath(const std::string& path) { return std::filesystem::path(path); }

std::string PathText(const std::filesystem::path& path) { return path.native(); }

std::FILE* OpenFileStream(const std::string& path, const char* mode) { return std::fopen(path.c_str(), mode); }

}  // namespace pelmora::platform
