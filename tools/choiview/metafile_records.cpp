#include "tools/choiview/metafile_records.h"

#include <cstdint>

namespace pelmora {

namespace {

constexpr std::uint32_t kEmfHeaderType = 1;
constexpr std::uint32_t kEmfEofType = 14;
constexpr std::uint32_t kEmfSignature = 0x464D4520;  // " EMF"
constexpr std::size_t kEmfHeaderMinimum = kMetafileHeadSize;
constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::size_t kPlaceableSize = 22;
constexpr std::size_t kWmfHeaderSize = 18;

std::uint32_t LittleU32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}
std::uint16_t LittleU16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      static_cast<unsigned char>(bytes[at + 1]) << 8);
}

// A part of the header record (offset and length in bytes) inside it.
bool InsideHeader(std::uint64_t offset, std::uint64_t length, std::uint32_t headerSize) {
    return length == 0 || (offset >= kEmfHeaderMinimum && offset + length <= headerSize);
}

// Every record inside the file, the last one the end record; the header's description and
// pixel format inside the header.
bool EmfRecordsComplete(std::string_view bytes) {
    const std::uint32_t headerSize = LittleU32(bytes, 4);
    if (headerSize < kEmfHeaderMinimum || headerSize > bytes.size()) return false;
    // The converter reads a description at its offset even when its length is 0.
    const std::uint32_t descriptionLength = LittleU32(bytes, 60), descriptionOffset = LittleU32(bytes, 64);
    if (descriptionLength == 0 ? descriptionOffset != 0
                               : !InsideHeader(descriptionOffset, std::uint64_t{descriptionLength} * 2, headerSize))
        return false;
    if (headerSize >= kEmfHeaderMinimum + 12 && !InsideHeader(LittleU32(bytes, 92), LittleU32(bytes, 88), headerSize))
        return false;
    std::size_t at = 0;
    while (at + 8 <= bytes.size()) {
        const std::uint32_t type = LittleU32(bytes, at);
        const std::uint32_t size = LittleU32(bytes, at + 4);
        if (size < 8 || size % 4 != 0 || size > bytes.size() - at) return false;
        if (type == kEmfEofType) return true;
        at += size;
    }
    return false;
}

bool WmfRecordsComplete(std::string_view bytes) {
    std::size_t at = WmfHeaderOffset(bytes) + kWmfHeaderSize;
    while (at + 6 <= bytes.size()) {
        const std::uint64_t size = std::uint64_t{LittleU32(bytes, at)} * 2;
        const std::uint16_t function = LittleU16(bytes, at + 4);
        if (size < 6 || size > bytes.size() - at) return false;
        if (function == 0) return true;
        at += size;
    }
    return false;
}

}  // namespace

MetafileFormat MetafileFormatOf(std::string_view bytes) {
    if (bytes.size() >= kEmfHeaderMinimum && LittleU32(bytes, 0) == kEmfHeaderType && LittleU32(bytes, 40) == kEmfSignature)
        return MetafileFormat::Emf;
    const std::size_t header = WmfHeaderOffset(bytes);
    if (bytes.size() < header + kWmfHeaderSize) return MetafileFormat::None;
    const std::uint16_t type = LittleU16(bytes, header);
    const std::uint16_t headerWords = LittleU16(bytes, header + 2);
    const std::uint16_t version = LittleU16(bytes, header + 4);
    if ((type == 1 || type == 2) && headerWords == 9 && (version == 0x0100 || version == 0x0300))
        return MetafileFormat::Wmf;
    return MetafileFormat::None;
}

std::size_t WmfHeaderOffset(std::string_view bytes) {
    return bytes.size() >= 4 && LittleU32(bytes, 0) == kPlaceableKey ? kPlaceableSize : 0;
}

bool MetafileRecordsComplete(std::string_view bytes) {
    switch (MetafileFormatOf(bytes)) {
        case MetafileFormat::Emf: return EmfRecordsComplete(bytes);
        case MetafileFormat::Wmf: return WmfRecordsComplete(bytes);
        case MetafileFormat::None: break;
    }
    return false;
}

}  // namespace pelmora
