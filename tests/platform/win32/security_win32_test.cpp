// ACLView's entries on Windows: the DACL as it is, allow and deny entries in order.
#include "platform/security.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/platform/win32/file_with_dacl.h"

namespace pelmora::platform {
namespace {

using pelmora::testing::CurrentUserSid;

// Wine keeps a file's rights as POSIX mode bits, so these checks ask for what both it and
// Windows keep: the system's full access, and whether everyone may read but not write.

std::vector<AccessEntry> EntriesOfFileWith(const std::wstring& dacl, bool& read) {
    pelmora::testing::FilesWithDacl files(L"pelmora-acl-");
    std::vector<AccessEntry> entries;
    read = SystemSecurityService().ReadAccessEntries(files.Make(L"file", dacl), entries);
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
