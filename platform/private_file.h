#pragma once
// Reading a file that holds a secret (a password): refused when anyone but its owner may
// read or change it, or when it belongs to someone else than the user running the program,
// as ssh and smbclient refuse such files. A file others may change could hand the program
// credentials for a server of their choice.

#include <string>

namespace pelmora::platform {

enum class PrivateFileRead { Read, Missing, OthersCanReadOrWrite, NotOwned, Unreadable };

PrivateFileRead ReadPrivateFile(const std::string& path, std::string& content);

}  // namespace pelmora::platform
