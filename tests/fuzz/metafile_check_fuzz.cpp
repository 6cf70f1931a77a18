// The checks a picture file passes before a decoding library sees it: the EMF/WMF record walk
// and the BMP extent check. Neither reads outside the input; a metafile said to be complete
// has the end record inside it, reached by the records' own sizes.
#include <cstring>
#include <memory>

#include "tests/fuzz/fuzz_check.h"
#include "tools/choiview/bitmap_file_check.h"
#include "tools/choiview/metafile_records.h"

namespace {

std::uint32_t U32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, sizeof value);  // the fuzzing machines are little-endian
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A copy of exactly the input's size, so a read one byte past it is a finding.
    const auto copy = std::make_unique<char[]>(size);
    if (size > 0) std::memcpy(copy.get(), data, size);
    const std::string_view bytes(copy.get(), size);

    const pelmora::MetafileFormat format = pelmora::MetafileFormatOf(bytes);
    const bool complete = pelmora::MetafileRecordsComplete(bytes);
    PELMORA_FUZZ_CHECK(!complete || format != pelmora::MetafileFormat::None);
    if (complete && format == pelmora::MetafileFormat::Emf) {
        // Walk again: the records chain to an end record (type 14) inside the file.
        std::size_t at = 0;
        bool ended = false;
        while (!ended) {
            PELMORA_FUZZ_CHECK(at + 8 <= size);
            const std::uint32_t recordSize = U32(bytes, at + 4);
            PELMORA_FUZZ_CHECK(recordSize >= 8 && recordSize <= size - at);
            ended = U32(bytes, at) == 14;
            at += recordSize;
        }
    }
    if (format == pelmora::MetafileFormat::Wmf) PELMORA_FUZZ_CHECK(pelmora::WmfHeaderOffset(bytes) < size);

    const bool bitmap = pelmora::IsBitmapFile(bytes);
    PELMORA_FUZZ_CHECK(!pelmora::BitmapFileIsWhole(bytes) || bitmap);
    return 0;
}
