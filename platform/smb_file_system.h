#pragma once
// Network shares read over SMB without mounting them. "//server/share/folder" is the path of
// the folder "folder" on the share "share" of "server". FileSystemFor hands every path that
// begins with "//" to this implementation.
//
// A share that refuses the guest asks the credential store's asker (smb_credentials.h) for
// a user and password, once more when the answer is refused, then fails as refused. Every
// request has a time-out, so a server that stops answering ends in an error, never a hang.
// PELMORA_SMB_PORT in the environment sets another server port than 445 (a test server);
// PELMORA_SMB_TIMEOUT the time-out in seconds.

#include <chrono>
#include <cstdint>
#include <string>

#include "platform/file_system_service.h"

namespace pelmora::platform {

FileSystem& SmbFileSystem();

// A refused question holds for a while, so that a walk asks once, not for every folder. A
// share the user chooses anew asks again at once: this ends the hold for the server.
void AskAgainForCredentials(const std::string& server);

// The time one request may take before the server counts as gone. Reading a folder is a few
// requests, so a server that stops answering fails it after up to three times this; the
// requests to that server that follow within the time-out fail at once.
std::chrono::milliseconds SmbRequestTimeout();

inline constexpr std::chrono::seconds kDefaultSmbRequestTimeout{10};

// The server port PELMORA_SMB_PORT chooses; 0 for the SMB default (445). The network window
// browses on the same port as the shares are read.
std::uint16_t SmbServerPort();

}  // namespace pelmora::platform
