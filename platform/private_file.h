#pragma once
// Reading a file that holds a secret (a password): refused when anyone but its owner may
// read it, as ssh and smbclient refuse such files.

#include <string>

namespace pelmora::platform {

enum class PrivateFileRead { Read, Missing, OthersCanRead, Unreadable };

PrivateFileRead ReadPrivateFile(const std::string& path, std::string& content);

}  // namespace pelmora::platform
