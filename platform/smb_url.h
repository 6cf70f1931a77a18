#pragma once
// The smb:// URLs handed to libsmbclient, built in this one place. The library reads more
// than a server name before the first "/": "user:password@" picks a user, ":port" a port,
// and "%" escapes are decoded, so a name pasted as it is could send credentials elsewhere
// than the user believes. Only a plain host name, an IPv4 address or an IPv6 address in
// brackets goes in unchanged; any other server name (a NetBIOS name with other characters)
// is escaped byte by byte and so looked up as it is written, never read as URL syntax. The
// share and path components are escaped likewise ("%" and "?" mean something there too).

#include <string>
#include <string_view>

namespace pelmora::platform {

// Letters, digits, "-", "_" and "." (a host name, or an IPv4 address), or "[" an IPv6
// address "]". Nothing else: no "@", ":", "%", space or byte above 127.
bool IsPlainServerName(std::string_view server);

// "smb://" followed by the server (escaped unless plain) and each "/"-separated component
// of `rest` escaped; rest is what follows the server ("/share/folder", or empty).
std::string SmbUrl(std::string_view server, std::string_view rest = {});

// The URL of a "//server/share/..." path (also "//server" alone).
std::string SmbUrlOfPath(std::string_view path);

// The server name as the credential store keeps it, from the name libsmbclient hands to its
// credential callback (as written in the URL, escapes and all): the host it connects to.
std::string ServerFromLibrary(std::string_view server);

}  // namespace pelmora::platform
