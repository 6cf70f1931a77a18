#pragma once
// Files made with a DACL written in SDDL, for the tests of who may read or change a file.
#include <windows.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/wide_path_win32.h"

namespace pelmora::testing {

// The SID of the user running the test, as SDDL writes it.
inline std::wstring CurrentUserSid() {
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

// A folder of the test's own in the temporary folder; the files made in it go with it.
class FilesWithDacl {
public:
    explicit FilesWithDacl(const std::wstring& prefix) {
        wchar_t temp[MAX_PATH + 1];
        EXPECT_NE(GetTempPathW(MAX_PATH + 1, temp), 0u);
        folder_ = std::wstring(temp) + prefix + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(folder_.c_str(), nullptr);
    }
    ~FilesWithDacl() {
        for (const std::wstring& file : files_) DeleteFileW(file.c_str());
        RemoveDirectoryW(folder_.c_str());
    }
    FilesWithDacl(const FilesWithDacl&) = delete;
    FilesWithDacl& operator=(const FilesWithDacl&) = delete;

    // The file `name` (made anew) with the DACL and the content; its path as UTF-8.
    std::string Make(const std::wstring& name, const std::wstring& dacl, std::string_view content = {}) {
        SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, FALSE};
        EXPECT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(dacl.c_str(), SDDL_REVISION_1,
                                                                         &attributes.lpSecurityDescriptor, nullptr));
        const std::wstring path = folder_ + L"\\" + name;
        const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, &attributes, CREATE_ALWAYS, 0, nullptr);
        LocalFree(attributes.lpSecurityDescriptor);
        EXPECT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        if (!content.empty()) WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        CloseHandle(file);
        files_.push_back(path);
        return platform::win32::Utf8FromWide(path);
    }

    const std::wstring& folder() const { return folder_; }

private:
    std::wstring folder_;
    std::vector<std::wstring> files_;
};

}  // namespace pelmora::testing
