#pragma once
// Whether the kernel leaves a piece of this process's memory out of its core dumps, as
// /proc/self/smaps tells.

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>

namespace pelmora::testing {

// The kernel's flags of the mapping that holds `address` ("dd": left out of core dumps);
// empty when no mapping holds it.
inline std::string MappingFlags(const void* address) {
    const auto wanted = reinterpret_cast<std::uintptr_t>(address);
    std::ifstream smaps("/proc/self/smaps");
    std::string line;
    bool inside = false;
    while (std::getline(smaps, line)) {
        std::uintptr_t start = 0, end = 0;
        char dash = 0;
        std::istringstream range(line);
        if (range >> std::hex >> start >> dash >> end && dash == '-') {
            inside = start <= wanted && wanted < end;
        } else if (inside && line.rfind("VmFlags:", 0) == 0) {
            return line.substr(8) + " ";
        }
    }
    return {};
}

inline bool LeftOutOfCoreDumps(const void* address) { return MappingFlags(address).find(" dd ") != std::string::npos; }

}  // namespace pelmora::testing
