#include "tools/network/known_servers.h"

#include <algorithm>
#include <cctype>
#include <mutex>

#include "tools/network/net_drive_connection.h"

namespace pelmora {
namespace {

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

void AddOnce(std::vector<std::string>& servers, const std::string& server) {
    if (server.empty()) return;
    if (std::none_of(servers.begin(), servers.end(), [&](const std::string& known) { return SameName(known, server); }))
        servers.push_back(server);
}

bool IsSmbFileSystem(const std::string& type) { return type == "cifs" || type == "smb3" || type == "smbfs"; }

std::mutex& TypedLock() {
    static std::mutex lock;
    return lock;
}

std::vector<std::string>& TypedList() {
    static std::vector<std::string> servers;
    return servers;
}

}  // namespace

std::vector<std::string> KnownServersFrom(const std::vector<std::string>& netDrives,
                                          const std::vector<platform::Volume>& volumes,
                                          const std::vector<std::string>& typed) {
    std::vector<std::string> servers;
    for (const std::string& share : netDrives) AddOnce(servers, ServerOfShare(share));
    for (const platform::Volume& volume : volumes) {
        // The kernel's cifs mounts name the share as their source; GVFS's as their label.
        if (IsSmbFileSystem(volume.fileSystem)) AddOnce(servers, ServerOfShare(volume.source));
        else if (volume.label.starts_with("//")) AddOnce(servers, ServerOfShare(volume.label));
    }
    for (const std::string& server : typed) AddOnce(servers, server);
    return servers;
}

void RememberTypedServer(const std::string& server) {
    std::lock_guard lock(TypedLock());
    AddOnce(TypedList(), server);
}

std::vector<std::string> TypedServers() {
    std::lock_guard lock(TypedLock());
    return TypedList();
}

}  // namespace pelmora
