#include "tools/network/net_drive_connection.h"

#include <algorithm>
#include <cctype>

#include "i18n/translation.h"
#include "platform/file_system_service.h"
#include "platform/profile_file.h"
#include "platform/smb_credentials.h"
#include "platform/smb_url.h"
#include "settings/net_drive_list.h"
#include "tools/network/network_texts.h"
#include "tools/network/network_tree.h"

namespace pelmora {

std::error_code OpenShareForCheck(const std::string& share) {
    std::error_code error;
    const auto folder = platform::FileSystemFor(share).OpenFolderAt(share, error);
    if (!folder && !error) error = std::make_error_code(std::errc::io_error);
    return folder ? std::error_code() : error;
}

namespace {

// The text with backslashes as separators, without surrounding blanks and trailing separators.
std::string NormalisedShareText(std::string_view text) {
    std::string share(text);
    std::replace(share.begin(), share.end(), '\\', '/');
    const auto first = share.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    share = share.substr(first, share.find_last_not_of(" \t") - first + 1);
    while (share.size() > 2 && share.back() == '/') share.pop_back();
    return share;
}

}  // namespace

std::optional<std::string> ShareFromInput(std::string_view text) {
    return ShareInputProblem(text).empty() ? std::optional<std::string>(NormalisedShareText(text)) : std::nullopt;
}

std::string ShareInputProblem(std::string_view text) {
    const std::string share = NormalisedShareText(text);
    if (!share.starts_with("//")) return Translated(network_texts::kConnectBadShare);
    const std::size_t slash = share.find('/', 2);
    if (slash == 2) return Translated(network_texts::kConnectBadShare);
    // A server part with URL syntax in it ("user:password@", ":port", "%" escapes) would
    // choose for the library whom to log in as and where, and be written to the settings.
    const std::string_view server = std::string_view(share).substr(2, slash == std::string::npos ? slash : slash - 2);
    if (server.empty()) return Translated(network_texts::kConnectBadShare);
    if (!platform::IsPlainServerName(server)) return Translated(network_texts::kConnectBadServer);
    if (slash == std::string::npos || slash + 1 == share.size()) return Translated(network_texts::kConnectNoShareName);
    const std::string_view name = std::string_view(share).substr(slash + 1);
    // Exactly a server and a share: a folder in it is no share; "." and ".." name none.
    if (name.find('/') != std::string_view::npos) return Translated(network_texts::kConnectFolderNotShare);
    if (name == "." || name == "..") return Translated(network_texts::kConnectBadShare);
    if (share.size() > platform::kMaxProfileValue) return Translated(network_texts::kConnectBadShare);
    return {};
}

std::string ServerOfShare(const std::string& share) {
    if (!share.starts_with("//")) return {};
    return share.substr(2, share.find('/', 2) - 2);
}

bool IsOnShare(const std::string& folder, const std::string& share) {
    if (share.empty() || folder.size() < share.size()) return false;
    const bool sameStart = std::equal(share.begin(), share.end(), folder.begin(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
    return sameStart && (folder.size() == share.size() || folder[share.size()] == '/');
}

NetDriveOutcome ConnectNetDrive(const NetDriveRequest& request, const ShareCheck& check, const std::string& iniPath) {
    return SaveNetDrive(CheckNetDrive(request, check), iniPath);
}

NetDriveOutcome CheckNetDrive(const NetDriveRequest& request, const ShareCheck& check) {
    NetDriveOutcome outcome;
    const std::optional<std::string> share = ShareFromInput(request.share);
    if (!share) {
        outcome.message = ShareInputProblem(request.share);
        return outcome;
    }
    outcome.share = *share;

    auto& store = platform::SmbCredentialStore::ForThisRun();
    const std::string server = ServerOfShare(*share);
    const auto earlier = store.Find(server);
    if (!request.user.empty()) store.Remember(server, {request.user, request.domain, request.password});
    if (const std::error_code error = check(*share)) {
        if (earlier) store.Remember(server, *earlier);
        else store.Forget(server);
        outcome.result = NetDriveResult::CannotOpen;
        if (error == std::errc::no_such_file_or_directory) {
            // The server answered: the share is what is missing.
            outcome.message = *share + Translated(network_texts::kConnectNoSuchShareSuffix);
        } else {
            outcome.message = *share + Translated(network_texts::kConnectFailedSuffix) + "\n" + NetworkErrorText(error);
        }
        const bool refused = error == std::errc::permission_denied || error == std::errc::operation_not_permitted;
        outcome.fault = refused ? (request.user.empty() ? NetDriveField::User : NetDriveField::Password)
                                : NetDriveField::Share;
        return outcome;
    }
    outcome.result = NetDriveResult::Connected;
    return outcome;
}

NetDriveOutcome SaveNetDrive(NetDriveOutcome checked, const std::string& iniPath) {
    if (checked.result != NetDriveResult::Connected) return checked;
    if (!AddNetDrive(checked.share, iniPath)) {
        checked.result = NetDriveResult::NotSaved;
        checked.message = Translated(network_texts::kConnectSaveFailed);
    }
    return checked;
}

namespace {

bool SameServer(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

std::string DisconnectNetDrive(const std::string& share, const std::string& iniPath) {
    if (!RemoveNetDrive(share, iniPath)) return Translated(network_texts::kDisconnectSaveFailed);
    // A disconnected share must ask again: the server's credentials go, and with them the
    // connections made with them, unless another connected share of the server still uses
    // them.
    const std::string server = ServerOfShare(share);
    const std::vector<std::string> remaining = ReadNetDrives(iniPath);
    const bool stillUsed = std::any_of(remaining.begin(), remaining.end(),
                                       [&](const std::string& other) { return SameServer(ServerOfShare(other), server); });
    if (!server.empty() && !stillUsed) platform::SmbCredentialStore::ForThisRun().Forget(server);
    return {};
}

std::vector<platform::Volume> WithNetDrives(std::vector<platform::Volume> volumes,
                                            const std::vector<std::string>& shares) {
    for (const std::string& share : shares) {
        const bool listed = std::any_of(volumes.begin(), volumes.end(),
                                        [&](const platform::Volume& v) { return v.mountPoint == share; });
        if (!listed) volumes.push_back({share, {}, share, "smb"});
    }
    return volumes;
}

}  // namespace pelmora
