#include "platform/terminal.h"

#include <unistd.h>

namespace pelmora::platform {

bool StandardInputIsTerminal() { return ::isatty(STDIN_FILENO) != 0; }

bool StandardErrorIsTerminal() { return ::isatty(STDERR_FILENO) != 0; }

}  // namespace pelmora::platform
