#include "platform/security.h"

#include <windows.h>

#include "platform/win32/wide_path_win32.h"

namespace pelmora::platform {

namespace {

// Per-file rights are kept by NTFS (and the file systems that say they keep ACLs); FAT and
// exFAT have none. Reading the entries themselves (GetFileSecurityW) is not available yet:
// ACLView comes with the window's port.
class Win32SecurityService final : public SecurityService {
public:
    bool KeepsPerFilePermissions(const std::string& path) const override {
        std::wstring root(MAX_PATH + 1, L'\0');
        if (!GetVolumePathNameW(win32::WidePath(path).c_str(), root.data(), static_cast<DWORD>(root.size()))) {
            return false;
        }
        DWORD flags = 0;
        if (!GetVolumeInformationW(root.c_str(), nullptr, 0, nullptr, nullptr, &flags, nullptr, 0)) return false;
        return (flags & FILE_PERSISTENT_ACLS) != 0;
    }
    bool ReadAccessEntries(const std::string&, std::vector<AccessEntry>& entries) const override {
        entries.clear();
        return false;
    }
};

}  // namespace

const SecurityService& SystemSecurityService() {
    static const Win32SecurityService service;
    return service;
}

}  // namespace pelmora::platform
