#include "platform/temporary_folder.h"

#include <windows.h>

#include "platform/file_system.h"
#include "platform/win32/wide_path_win32.h"

namespace pelmora::platform {

std::string CreatePrivateTemporaryFolder(const std::string& prefix) {
    wchar_t base[MAX_PATH + 1];
    const DWORD n = GetTempPathW(MAX_PATH + 1, base);
    if (n == 0 || n > MAX_PATH) return {};
    const std::string folder = win32::Utf8FromWide(std::wstring_view(base, n));
    // The user's temporary folder (under the profile) is private to the user already; a
    // new folder there inherits its rights. A name that is taken is tried again.
    for (int attempt = 0; attempt < 100; ++attempt) {
        LARGE_INTEGER ticks{};
        QueryPerformanceCounter(&ticks);
        const std::string name = prefix + std::to_string(GetCurrentProcessId()) + "-" +
                                 std::to_string(static_cast<unsigned long long>(ticks.QuadPart) % 1000000007ULL);
        const std::string path = JoinPath(folder, name);
        if (CreateDirectoryW(win32::WidePath(path).c_str(), nullptr)) return path;
        if (GetLastError() != ERROR_ALREADY_EXISTS) return {};
    }
    return {};
}

}  // namespace pelmora::platform
