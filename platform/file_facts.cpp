#include "platform/file_facts.h"

#include <charconv>

namespace pelmora::platform {

namespace {

std::uint32_t ReadLittleEndian(const unsigned char* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = (value << 8) | bytes[i];
    return value;
}

}  // namespace

// Older Samba stores the bits as the text "0x..." (NUL-terminated). Newer Samba stores an
// NDR record: that same text (possibly empty), padding to an even offset, the uint16
// version twice (version and union tag), padding to a multiple of four, then an info
// record whose layout depends on the version.
std::optional<std::uint32_t> ParseDosAttribValue(std::string_view value) {
    const auto nul = value.find('\0');
    const std::string_view text = value.substr(0, nul);
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        std::uint32_t bits = 0;
        const auto* first = text.data() + 2;
        const auto* last = text.data() + text.size();
        const auto [end, error] = std::from_chars(first, last, bits, 16);
        if (error == std::errc{} && end == last) return bits;
        return std::nullopt;
    }
    if (nul == std::string_view::npos) return std::nullopt;

    const auto* bytes = reinterpret_cast<const unsigned char*>(value.data());
    std::size_t offset = nul + 1;
    offset += offset % 2;
    if (offset + 4 > value.size()) return std::nullopt;
    const std::uint32_t version = ReadLittleEndian(bytes + offset, 2);
    offset += 4;
    offset = (offset + 3) / 4 * 4;
    auto wordAt = [&](std::size_t index) -> std::optional<std::uint32_t> {
        const std::size_t at = offset + 4 * index;
        if (at + 4 > value.size()) return std::nullopt;
        return ReadLittleEndian(bytes + at, 4);
    };
    switch (version) {
        case 0xFFFF:
        case 1:
            return wordAt(0);  // attrib first
        case 2:
            return wordAt(1);  // flags, attrib
        case 3:
        case 4:
        case 5: {
            constexpr std::uint32_t kAttribValid = 0x1;
            const auto valid = wordAt(0);
            if (!valid || (*valid & kAttribValid) == 0) return std::nullopt;
            return wordAt(1);  // valid flags, attrib
        }
        default:
            return std::nullopt;
    }
}

}  // namespace pelmora::platform
