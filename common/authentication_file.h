#pragma once
// --authentication-file: the user, domain and password for SMB shares in smbclient's format
// ("username = ...", "password = ...", "domain = ..." lines), offered when a share refuses
// the guest.

#include <optional>
#include <string>
#include <string_view>

#include "platform/private_file.h"
#include "platform/smb_credentials.h"

namespace pelmora {

// Nothing when the text names no user. "username = DOMAIN\user" or "user@domain" give the
// domain too unless a domain line does.
std::optional<platform::SmbCredentials> ParseAuthenticationText(std::string_view text);

// The file read with the private-file checks (it is refused when group or others may read or
// write it, or another user owns it) and parsed; credentials only when read is Read and the
// file names a user.
struct AuthenticationFile {
    platform::PrivateFileRead read = platform::PrivateFileRead::Missing;
    std::optional<platform::SmbCredentials> credentials;
};
AuthenticationFile ReadAuthenticationFile(const std::string& path);

// Answers each server's first question with the file's credentials; a second question for
// the same server (the password was wrong) gets no answer.
class FileCredentialAsker final : public platform::SmbCredentialAsker {
public:
    explicit FileCredentialAsker(platform::SmbCredentials credentials) : credentials_(std::move(credentials)) {}
    std::optional<platform::SmbCredentials> Ask(const std::string& server, const std::string& share,
                                                bool again) override;

private:
    platform::SmbCredentials credentials_;
};

}  // namespace pelmora
