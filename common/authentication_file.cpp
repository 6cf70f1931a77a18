#include "common/authentication_file.h"

#include <algorithm>
#include <cctype>

namespace pelmora {

namespace {

std::string_view Trim(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    return text;
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

}  // namespace

std::optional<platform::SmbCredentials> ParseAuthenticationText(std::string_view text) {
    platform::SmbCredentials credentials;
    std::string domainLine;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const auto equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        const std::string key = Lower(Trim(line.substr(0, equals)));
        std::string_view value = line.substr(equals + 1);
        if (key == "password") {
            // As smbclient reads it: spaces after "=" go, those at the end stay.
            while (!value.empty() && std::isspace(static_cast<unsigned char>(value.front()))) value.remove_prefix(1);
            credentials.password = platform::SecretText(value);
        } else if (key == "username") {
            credentials.user = std::string(Trim(value));
        } else if (key == "domain" || key == "workgroup") {
            domainLine = std::string(Trim(value));
        }
    }
    if (const auto slash = credentials.user.find_first_of("\\/"); slash != std::string::npos) {
        credentials.domain = credentials.user.substr(0, slash);
        credentials.user.erase(0, slash + 1);
    } else if (const auto at = credentials.user.find('@'); at != std::string::npos) {
        credentials.domain = credentials.user.substr(at + 1);
        credentials.user.erase(at);
    }
    if (!domainLine.empty()) credentials.domain = domainLine;
    if (credentials.user.empty()) return std::nullopt;
    return credentials;
}

AuthenticationFile ReadAuthenticationFile(const std::string& path) {
    AuthenticationFile file;
    platform::SecretText text;
    file.read = platform::ReadPrivateFile(path, text);
    if (file.read == platform::PrivateFileRead::Read) file.credentials = ParseAuthenticationText(text.View());
    return file;
}

std::optional<platform::SmbCredentials> FileCredentialAsker::Ask(const std::string&, const std::string&,
                                                                 bool again) {
    if (again) return std::nullopt;
    return credentials_;
}

}  // namespace pelmora
