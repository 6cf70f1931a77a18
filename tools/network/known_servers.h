#pragma once
// The servers the program already knows without any browsing of the network: those of the
// connected network drives, of the shares the system or GVFS mounted, and those the user
// named in this run. On networks with neither a master browser nor DNS-SD they are the only
// way to reach a server from the network window.

#include <string>
#include <vector>

#include "platform/volume_list.h"

namespace pelmora {

// The servers of the shares ("//server/share"), of the mounted SMB volumes and the typed
// names, each once (names compared without case), in that order.
std::vector<std::string> KnownServersFrom(const std::vector<std::string>& netDrives,
                                          const std::vector<platform::Volume>& volumes,
                                          const std::vector<std::string>& typed);

// The servers the user named in this run (the network window's "add server", connected
// drives). Safe from any thread.
void RememberTypedServer(const std::string& server);
std::vector<std::string> TypedServers();

}  // namespace pelmora
