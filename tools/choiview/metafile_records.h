#pragma once
// What a metafile is, and whether its records are all there: checked before the metafile
// libraries see a byte, as they read a damaged file past its end.

#include <cstddef>
#include <string_view>

namespace pelmora {

enum class MetafileFormat { None, Emf, Wmf };

// The bytes at a file's head that tell whether it is a metafile (an EMF header record's
// fixed part).
inline constexpr std::size_t kMetafileHeadSize = 88;

// Which metafile the bytes start as (EMF header record, or a WMF header with or without the
// placeable header); None for anything else.
MetafileFormat MetafileFormatOf(std::string_view bytes);

// Where a WMF's own header starts: after the placeable header, when there is one.
std::size_t WmfHeaderOffset(std::string_view bytes);

// A metafile whose records all lie inside it, the last one the end record; for an EMF, the
// header's description and pixel format lie inside the header record too. False for bytes
// that are no metafile.
bool MetafileRecordsComplete(std::string_view bytes);

}  // namespace pelmora
