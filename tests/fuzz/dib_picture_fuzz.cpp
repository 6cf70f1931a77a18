// The check and conversion of the bitmap blocks a plug-in returns. The first two bytes give
// the information block's length; the rest after it is the pixel block. Each block is a heap
// copy of its own size, so a read past either is a finding.
#include <algorithm>
#include <cstring>
#include <memory>

#include "tests/fuzz/fuzz_check.h"
#include "tools/choiview/dib_picture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::size_t infoLength = std::min<std::size_t>(data[0] | std::size_t{data[1]} << 8, size - 2);
    const std::size_t pixelLength = size - 2 - infoLength;
    const auto info = std::make_unique<std::uint8_t[]>(infoLength);
    const auto pixels = std::make_unique<std::uint8_t[]>(pixelLength);
    if (infoLength > 0) std::memcpy(info.get(), data + 2, infoLength);
    if (pixelLength > 0) std::memcpy(pixels.get(), data + 2 + infoLength, pixelLength);

    const pelmora::DibReading reading = pelmora::ReadDib({info.get(), infoLength}, {pixels.get(), pixelLength});
    const pelmora::RgbPicture& picture = reading.picture;
    if (reading.outcome == pelmora::DibReading::Outcome::Painted) {
        PELMORA_FUZZ_CHECK(picture.width > 0 && picture.height > 0);
        PELMORA_FUZZ_CHECK(std::int64_t{picture.width} * picture.height <= pelmora::kMaxDibPixels);
        PELMORA_FUZZ_CHECK(picture.pixels.size() ==
                           static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height));
        for (const std::uint32_t pixel : picture.pixels) PELMORA_FUZZ_CHECK(pixel >> 24 == 0xff);
    } else {
        PELMORA_FUZZ_CHECK(picture.pixels.empty() && picture.width == 0 && picture.height == 0);
    }
    return 0;
}
