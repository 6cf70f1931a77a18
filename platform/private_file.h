#pragma once
// Reading a file that holds a secret (a password): refused when anyone but its owner may
// read or change it, or when it belongs to someone else than the user running the program,
// as ssh and smbclient refuse such files. A file others may change could hand the program
// credentials for a server of their choice. The content goes straight to secret memory.

#include <cstddef>
#include <string>

#include "platform/secret_text.h"

namespace pelmora::platform {

enum class PrivateFileRead { Read, Missing, OthersCanReadOrWrite, NotOwned, Unreadable, TooLarge };

// A file that holds a few credentials is small; anything bigger is no such file.
inline constexpr std::size_t kMaxPrivateFileSize = 64 * 1024;

PrivateFileRead ReadPrivateFile(const std::string& path, SecretText& content);

// What decides who may read a file here, so that a refusal can say how to make one private:
// the permission bits (POSIX) or the file's access control list (Windows).
enum class FileRightsKind { PermissionBits, AccessControlList };
FileRightsKind FileRightsOfThisSystem();

}  // namespace pelmora::platform
