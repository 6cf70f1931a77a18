#include "platform/smb_file_system.h"

namespace pelmora::platform {

// Windows reads \\server\share itself: the network file system is the local one, with the
// system's own connection and credentials.
FileSystem& SmbFileSystem() { return LocalFileSystem(); }

std::chrono::milliseconds SmbRequestTimeout() { return kDefaultSmbRequestTimeout; }

std::uint16_t SmbServerPort() { return 0; }

}  // namespace pelmora::platform
