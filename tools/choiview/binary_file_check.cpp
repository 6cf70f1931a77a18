#include "tools/choiview/binary_file_check.h"

#include <algorithm>
#include <cstring>
#include <system_error>
#include <vector>

#include "platform/file_system_service.h"

namespace pelmora {

bool IsBinaryFile(const std::string& path, std::int64_t checkSize) {
    if (checkSize <= 0) return true;
    std::error_code error;
    const auto file = platform::FileSystemFor(path).OpenFileForReading(path, error);
    if (!file) return true;
    const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(file->Size(), checkSize));
    if (wanted == 0) return true;
    std::vector<char> head(wanted);
    std::size_t filled = 0;
    while (filled < wanted) {
        std::size_t got = 0;
        if (!file->Read(head.data() + filled, wanted - filled, got)) return true;
        if (got == 0) break;  // shrank since it was opened
        filled += got;
    }
    if (filled == 0) return true;
    return std::memchr(head.data(), 0, filled) != nullptr;
}

}  // namespace pelmora
