#include "platform/standard_input.h"

#include <unistd.h>

#include <cerrno>

namespace pelmora::platform {

std::string ReadAllStandardInput() {
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        bytes.append(buffer, static_cast<size_t>(n));
    }
    return bytes;
}

}  // namespace pelmora::platform
