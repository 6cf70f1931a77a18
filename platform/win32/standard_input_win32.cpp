#include "platform/standard_input.h"

#include <windows.h>

namespace pelmora::platform {

std::string ReadAllStandardInput() {
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    std::string bytes;
    if (input == nullptr || input == INVALID_HANDLE_VALUE) return bytes;
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        // A closed pipe ends ReadFile with ERROR_BROKEN_PIPE: that is the end of the input.
        if (!ReadFile(input, buffer, sizeof buffer, &got, nullptr) || got == 0) break;
        bytes.append(buffer, got);
    }
    return bytes;
}

}  // namespace pelmora::platform
