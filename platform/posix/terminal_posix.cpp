#include "platform/terminal.h"

#include <unistd.h>

#include <cerrno>

namespace pelmora::platform {

bool StandardInputIsTerminal() { return ::isatty(STDIN_FILENO) != 0; }

bool StandardErrorIsTerminal() { return ::isatty(STDERR_FILENO) != 0; }

std::optional<std::string> ReadStandardInputLine() {
    std::string line;
    for (;;) {
        char byte = 0;
        const ssize_t n = ::read(STDIN_FILENO, &byte, 1);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::nullopt;
        if (n == 0) return line.empty() ? std::nullopt : std::optional<std::string>(line);
        if (byte == '\n') return line;
        line.push_back(byte);
    }
}

}  // namespace pelmora::platform
