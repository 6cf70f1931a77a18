// ACLView's entries on Windows: the DACL as it is, allow and deny entries in order.
#include "platform/security.h"

#include <windows.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/wide_path_win32.h"

namespace pelmora::platform {
namespace {

// Wine keeps a file's rights as POSIX mode bits, so these checks ask for what both it and
// Windows keep: the system's full access, and whether everyone may read but not write.
std::wstring CurrentUserSid() {
    HANDLE token = nullptr;
    EXPECT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
    BYTE buffer[256];
    DWORD size = 0;
    EXPECT_TRUE(GetTokenInformation(token, TokenUser, buffer, sizeof buffer, &size));
    CloseHandle(token);
    LPWSTR text = nullptr;
    EXPECT_TRUE(ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &text));
    std::wstring sid = text;
    LocalFree(text);
    return sid;
}

std::vector<AccessEntry> EntriesOfFileWith(const std::wstring& dacl, bool& read) {
    wchar_t temp[MAX_PATH + 1];
    EXPECT_NE(GetTempPathW(MAX_PATH + 1, temp), 0u);
    const std::wstring path = std::wstring(temp) + L"pelmora-acl-" + std::to_wstring(GetCurrentProcessId());
    SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, FALSE};
    EXPECT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(dacl.c_str(), SDDL_REVISION_1,
                                                                     &attributes.lpSecurityDescriptor, nullptr));
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, &attributes, CREATE_ALWAYS, 0, nullptr);
    LocalFree(attributes.lpSecurityDescriptor);
    EXPECT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    std::vector<AccessEntry> entries;
    read = SystemSecurityService().ReadAccessEntries(win32::Utf8FromWide(path), entries);
    DeleteFileW(path.c_str());
    return entries;
}

const AccessEntry* EntryOf(const std::vector<AccessEntry>& entries, const std::string& account) {
    for (const AccessEntry& entry : entries) {
        if (entry.account == account) return &entry;
    }
    return nullptr;
}

TEST(SecurityWin32, TheDaclsEntriesWithTheirAccounts) {
    bool read = false;
    const std::wstring own = L"D:P(A;;FA;;;SY)(A;;FA;;;" + CurrentUserSid() + L")";
    const auto shared = EntriesOfFileWith(own + L"(A;;FR;;;WD)", read);
    ASSERT_TRUE(read);
    const AccessEntry* system = EntryOf(shared, "SYSTEM");
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(system->type, AccessEntryType::Allowed);
    EXPECT_EQ(system->mask, kMaskFileAllAccess);
    const AccessEntry* everyone = EntryOf(shared, "Everyone");
    ASSERT_NE(everyone, nullptr);
    EXPECT_EQ(everyone->type, AccessEntryType::Allowed);
    EXPECT_NE(everyone->mask & FILE_READ_DATA, 0u);
    EXPECT_EQ(everyone->mask & FILE_WRITE_DATA, 0u);

    const auto ownOnly = EntriesOfFileWith(own, read);
    ASSERT_TRUE(read);
    EXPECT_EQ(EntryOf(ownOnly, "Everyone"), nullptr);
}

TEST(SecurityWin32, AMissingFileHasNoEntries) {
    std::vector<AccessEntry> entries(1);
    EXPECT_FALSE(SystemSecurityService().ReadAccessEntries("C:\\no-such-folder\\no-such-file", entries));
    EXPECT_TRUE(entries.empty());
}

}  // namespace
}  // namespace pelmora::platform
