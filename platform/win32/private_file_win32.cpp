#include "platform/private_file.h"

#include <windows.h>

#include "platform/win32/wide_path_win32.h"

namespace pelmora::platform {

// Whether others may read or change the file is a question for its DACL, which is not read on
// Windows yet. Until it is, a file that exists is refused as one others may read: a secret is
// never taken from a file whose privacy is unknown.
PrivateFileRead ReadPrivateFile(const std::string& path, SecretText&) {
    const DWORD attributes = GetFileAttributesW(win32::WidePath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? PrivateFileRead::Missing
                                                                              : PrivateFileRead::Unreadable;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return PrivateFileRead::Unreadable;
    return PrivateFileRead::OthersCanReadOrWrite;
}

}  // namespace pelmora::platform
