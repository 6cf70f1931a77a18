// The authentication file on Windows: refused unless its DACL keeps it to its owner.
#include "platform/private_file.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/wide_path_win32.h"
#include "tests/platform/win32/file_with_dacl.h"

namespace pelmora::platform {
namespace {

using pelmora::testing::CurrentUserSid;

class PrivateFileWin32 : public ::testing::Test {
protected:
    // A file with the given DACL (SDDL), holding a password line.
    std::string FileWithDacl(const std::wstring& name, const std::wstring& dacl) {
        return files_.Make(name, dacl, "password = secret\n");
    }
    pelmora::testing::FilesWithDacl files_{L"pelmora-private-"};
};

TEST_F(PrivateFileWin32, OnlyTheOwnerTheSystemAndAdministratorsMayHaveAccess) {
    const std::wstring user = CurrentUserSid();
    const std::wstring own = L"D:P(A;;FA;;;" + user + L")(A;;FA;;;SY)(A;;FA;;;BA)";
    SecretText content;
    EXPECT_EQ(ReadPrivateFile(FileWithDacl(L"own", own), content), PrivateFileRead::Read);
    EXPECT_EQ(content, "password = secret\n");
    // Reading its attributes tells nothing of the secret.
    EXPECT_EQ(ReadPrivateFile(FileWithDacl(L"attributes", own + L"(A;;0x80;;;WD)"), content), PrivateFileRead::Read);
    for (const wchar_t* others : {L"(A;;FR;;;WD)", L"(A;;FW;;;BU)", L"(A;;WD;;;AU)", L"(A;;GA;;;WD)"}) {
        EXPECT_EQ(ReadPrivateFile(FileWithDacl(L"shared", own + others), content),
                  PrivateFileRead::OthersCanReadOrWrite)
            << win32::Utf8FromWide(others);
        EXPECT_TRUE(content.empty());
    }
}

TEST_F(PrivateFileWin32, AMissingFileOrAFolderIsNoSecret) {
    SecretText content;
    EXPECT_EQ(ReadPrivateFile(win32::Utf8FromWide(files_.folder() + L"\\absent"), content), PrivateFileRead::Missing);
    EXPECT_EQ(ReadPrivateFile(win32::Utf8FromWide(files_.folder()), content), PrivateFileRead::Unreadable);
}

}  // namespace
}  // namespace pelmora::platform
