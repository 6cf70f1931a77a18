#include "platform/private_file.h"

#include <windows.h>
#include <aclapi.h>

#include <memory>
#include <string_view>

#include "platform/secret_memory.h"
#include "platform/win32/wide_path_win32.h"

namespace pelmora::platform {

namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

struct LocalFreer {
    void operator()(void* memory) const { LocalFree(memory); }
};

// The user this program runs as; empty when it cannot be told.
std::unique_ptr<BYTE[]> CurrentUser() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return nullptr;
    const Handle tokenHandle(token);
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    if (size == 0) return nullptr;
    auto user = std::make_unique<BYTE[]>(size);
    if (!GetTokenInformation(token, TokenUser, user.get(), size, &size)) return nullptr;
    return user;
}

bool IsWellKnown(PSID sid, WELL_KNOWN_SID_TYPE type) { return IsWellKnownSid(sid, type) != 0; }

// Access that would let an account read the secret or change the file (or its rights).
constexpr ACCESS_MASK kReadOrChange = FILE_READ_DATA | FILE_WRITE_DATA | FILE_APPEND_DATA | WRITE_DAC |
                                      WRITE_OWNER | GENERIC_READ | GENERIC_WRITE | GENERIC_ALL | DELETE;

// Whether the DACL grants such access to anyone but the owner, the system and the
// administrators (who can take any file anyway). No DACL at all grants everyone everything.
bool OthersMayReadOrChange(const ACL* dacl, PSID owner) {
    if (dacl == nullptr) return true;
    for (DWORD i = 0; i < dacl->AceCount; ++i) {
        void* entry = nullptr;
        if (!GetAce(const_cast<ACL*>(dacl), i, &entry)) return true;
        const auto* header = static_cast<const ACE_HEADER*>(entry);
        if (header->AceType != ACCESS_ALLOWED_ACE_TYPE || (header->AceFlags & INHERIT_ONLY_ACE) != 0) continue;
        const auto* allowed = static_cast<const ACCESS_ALLOWED_ACE*>(entry);
        PSID sid = const_cast<DWORD*>(&allowed->SidStart);
        if ((allowed->Mask & kReadOrChange) == 0) continue;
        if (EqualSid(sid, owner) || IsWellKnown(sid, WinLocalSystemSid) || IsWellKnown(sid, WinBuiltinAdministratorsSid))
            continue;
        return true;
    }
    return false;
}

}  // namespace

PrivateFileRead ReadPrivateFile(const std::string& path, SecretText& content) {
    content.Clear();
    const HANDLE opened = CreateFileW(win32::WidePath(path).c_str(), GENERIC_READ | READ_CONTROL, FILE_SHARE_READ,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? PrivateFileRead::Missing
                                                                              : PrivateFileRead::Unreadable;
    }
    const Handle file(opened);
    if (GetFileType(opened) != FILE_TYPE_DISK) return PrivateFileRead::Unreadable;
    // The open file's own rights, so that no swap between a check and the read slips through.
    PSID owner = nullptr;
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(opened, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner,
                        nullptr, &dacl, nullptr, &descriptor) != ERROR_SUCCESS)
        return PrivateFileRead::Unreadable;
    const std::unique_ptr<void, LocalFreer> descriptorMemory(descriptor);
    const auto user = CurrentUser();
    if (user == nullptr || owner == nullptr) return PrivateFileRead::Unreadable;
    if (!EqualSid(owner, reinterpret_cast<TOKEN_USER*>(user.get())->User.Sid)) return PrivateFileRead::NotOwned;
    if (OthersMayReadOrChange(dacl, owner)) return PrivateFileRead::OthersCanReadOrWrite;

    // One byte more than allowed tells a file that is too large.
    const SecretBlock block(kMaxPrivateFileSize + 1);
    if (block.get() == nullptr) return PrivateFileRead::Unreadable;
    std::size_t got = 0;
    while (got <= kMaxPrivateFileSize) {
        DWORD n = 0;
        if (!ReadFile(opened, block.get() + got, static_cast<DWORD>(kMaxPrivateFileSize + 1 - got), &n, nullptr))
            return PrivateFileRead::Unreadable;
        if (n == 0) break;
        got += n;
    }
    if (got > kMaxPrivateFileSize) return PrivateFileRead::TooLarge;
    content = SecretText(std::string_view(block.get(), got));
    return PrivateFileRead::Read;
}

FileRightsKind FileRightsOfThisSystem() { return FileRightsKind::AccessControlList; }

}  // namespace pelmora::platform
