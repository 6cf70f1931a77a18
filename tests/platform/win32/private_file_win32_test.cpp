// The authentication file on Windows: refused unless its DACL keeps it to its owner.
#include "platform/private_file.h"

#include <windows.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/wide_path_win32.h"

namespace pelmora::platform {
namespace {

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

class PrivateFileWin32 : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH + 1];
        ASSERT_NE(GetTempPathW(MAX_PATH + 1, temp), 0u);
        folder_ = std::wstring(temp) + L"pelmora-private-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(folder_.c_str(), nullptr);
    }
    void TearDown() override {
        for (const std::wstring& file : files_) DeleteFileW(file.c_str());
        RemoveDirectoryW(folder_.c_str());
    }
    // A file with the given DACL (SDDL), holding a password line.
    std::string FileWithDacl(const std::wstring& name, const std::wstring& dacl) {
        SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, FALSE};
        EXPECT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(
            dacl.c_str(), SDDL_REVISION_1, &attributes.lpSecurityDescriptor, nullptr));
        const std::wstring path = folder_ + L"\\" + name;
        const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, &attributes, CREATE_ALWAYS, 0, nullptr);
        LocalFree(attributes.lpSecurityDescriptor);
        EXPECT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, "password = secret\n", 18, &written, nullptr);
        CloseHandle(file);
        files_.push_back(path);
        return win32::Utf8FromWide(path);
    }
    std::wstring folder_;
    std::vector<std::wstring> files_;
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
    EXPECT_EQ(ReadPrivateFile(win32::Utf8FromWide(folder_ + L"\\absent"), content), PrivateFileRead::Missing);
    EXPECT_EQ(ReadPrivateFile(win32::Utf8FromWide(folder_), content), PrivateFileRead::Unreadable);
}

}  // namespace
}  // namespace pelmora::platform
