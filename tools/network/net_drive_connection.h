#pragma once
// Connecting a share as a network drive: the share is checked by opening it (with the
// credentials given, which the run then keeps for its server), and only a share that opens
// is added to the drive list and to [NetDrive]. Disconnecting removes it from both and logs
// off from the server.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/secret_text.h"
#include "platform/volume_list.h"

namespace pelmora {

struct NetDriveRequest {
    std::string share;  // as typed
    std::string user;   // empty: as a guest
    std::string domain;
    platform::SecretText password;
};

// Whether a share can be opened; the error when not.
using ShareCheck = std::function<std::error_code(const std::string& share)>;

// Opens the share's top folder through the file system that serves it.
std::error_code OpenShareForCheck(const std::string& share);

// The share in the //server/share spelling (backslashes taken as separators, trailing
// separators dropped), or nothing for any text that names no share, or one too long to be
// kept in the settings file. The server must be a host name, an IPv4 address or an IPv6
// address in brackets: a user, password or port written into it is refused.
std::optional<std::string> ShareFromInput(std::string_view text);

// Why ShareFromInput refuses the text: which part is wrong, as the user is told.
std::string ShareInputProblem(std::string_view text);

// "server" of "//server/share".
std::string ServerOfShare(const std::string& share);

// True when the folder is the share or lies in it (names compared without case, as SMB does).
bool IsOnShare(const std::string& folder, const std::string& share);

enum class NetDriveResult { Connected, BadShare, CannotOpen, NotSaved };

// The field of the connect dialog a failure is about.
enum class NetDriveField { Share, User, Password };

struct NetDriveOutcome {
    NetDriveResult result = NetDriveResult::BadShare;
    NetDriveField fault = NetDriveField::Share;
    std::string share;    // the normalised share, when there is one
    std::string message;  // what to tell the user; empty on success
};

// Checks and adds the share. Credentials are kept for the run while the share opens with
// them; after a failed check the server's earlier credentials are back.
NetDriveOutcome ConnectNetDrive(const NetDriveRequest& request, const ShareCheck& check, const std::string& iniPath);

// The two halves of ConnectNetDrive: the check, which waits on the network (Connected: the
// share opens), and the saving of a share that opened to [NetDrive].
NetDriveOutcome CheckNetDrive(const NetDriveRequest& request, const ShareCheck& check);
NetDriveOutcome SaveNetDrive(NetDriveOutcome checked, const std::string& iniPath);

// The message of a failed disconnection, or empty on success. The run forgets the
// server's credentials (and drops the connections made with them) unless another connected
// share of the same server is left.
std::string DisconnectNetDrive(const std::string& share, const std::string& iniPath);

// The drive list: the mounted volumes (among them the shares the system mounted), then
// the connected shares not mounted at the same place.
std::vector<platform::Volume> WithNetDrives(std::vector<platform::Volume> volumes,
                                            const std::vector<std::string>& shares);

}  // namespace pelmora
