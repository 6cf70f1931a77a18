#include "platform/native_path.h"

#include "platform/win32/wide_path_win32.h"

namespace pelmora::platform {

// The standard library takes wide paths on Windows without a code-page conversion.
std::filesystem::path NativePath(const std::string& path) {
    return std::filesystem::path(win32::WideFromUtf8(path));
}

std::string PathText(const std::filesystem::path& path) { return win32::Utf8FromWide(path.native()); }

std::FILE* OpenFileStream(const std::string& path, const char* mode) {
    return _wfopen(win32::WideFromUtf8(path).c_str(), win32::WideFromUtf8(mode).c_str());
}

}  // namespace pelmora::platform
