#include "platform/security.h"

#include <windows.h>
#include <aclapi.h>

#include <utility>

#include "platform/win32/wide_path_win32.h"

namespace pelmora::platform {

namespace {

// The account a SID names, without its domain; empty when it cannot be looked up.
std::string AccountName(PSID sid) {
    wchar_t name[256];
    wchar_t domain[256];
    DWORD nameLength = 256, domainLength = 256;
    SID_NAME_USE use{};
    if (!LookupAccountSidW(nullptr, sid, name, &nameLength, domain, &domainLength, &use)) return {};
    return win32::Utf8FromWide(std::wstring_view(name, nameLength));
}

// Per-file rights are kept by NTFS (and the file systems that say they keep ACLs); FAT and
// exFAT have none.
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
    // The DACL's entries in their order (GetNamedSecurityInfoW, which reads what
    // GetFileSecurityW reads); entries of other types than allow and deny are left out.
    bool ReadAccessEntries(const std::string& path, std::vector<AccessEntry>& entries) const override {
        entries.clear();
        PACL dacl = nullptr;
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        std::wstring wide = win32::WidePath(path);
        if (GetNamedSecurityInfoW(wide.data(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                                  nullptr, &descriptor) != ERROR_SUCCESS)
            return false;
        bool read = true;
        for (DWORD i = 0; dacl != nullptr && i < dacl->AceCount; ++i) {
            void* ace = nullptr;
            if (!GetAce(dacl, i, &ace)) {
                read = false;
                break;
            }
            const auto* header = static_cast<const ACE_HEADER*>(ace);
            AccessEntry entry;
            if (header->AceType == ACCESS_ALLOWED_ACE_TYPE) {
                entry.type = AccessEntryType::Allowed;
            } else if (header->AceType == ACCESS_DENIED_ACE_TYPE) {
                entry.type = AccessEntryType::Denied;
            } else {
                continue;
            }
            // Allow and deny entries share their layout.
            const auto* body = static_cast<const ACCESS_ALLOWED_ACE*>(ace);
            entry.mask = body->Mask;
            entry.account = AccountName(const_cast<DWORD*>(&body->SidStart));
            entries.push_back(std::move(entry));
        }
        LocalFree(descriptor);
        if (!read) entries.clear();
        return read;
    }
};

}  // namespace

const SecurityService& SystemSecurityService() {
    static const Win32SecurityService service;
    return service;
}

}  // namespace pelmora::platform
