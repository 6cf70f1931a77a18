#pragma once
// The fuzz target of one image-reader plug-in (the one linked in): GetPicture on the input in
// memory. A success returns two blocks the loader accepts whole; a failure returns none. The
// blocks are freed, so a leak in the plug-in shows.

#include <span>

#include "tests/fuzz/fuzz_check.h"
#include "tools/choiview/dib_picture.h"
#include "tools/choiview/spi/pelmora_spi.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SPI_HLOCAL info = nullptr;
    SPI_HLOCAL pixels = nullptr;
    const int code = GetPicture(reinterpret_cast<const char*>(data), static_cast<long>(size), SPI_INPUT_MEMORY, &info,
                                &pixels, nullptr, 0);
    PELMORA_FUZZ_CHECK(code >= SPI_NOT_IMPLEMENTED && code <= SPI_INTERNAL_ERROR);
    if (code == SPI_SUCCESS) {
        PELMORA_FUZZ_CHECK(info != nullptr && pixels != nullptr);
        const auto* infoBytes = static_cast<const std::uint8_t*>(SpiLocalLock(info));
        const auto* pixelBytes = static_cast<const std::uint8_t*>(SpiLocalLock(pixels));
        const pelmora::DibReading reading =
            pelmora::ReadDib({infoBytes, SpiLocalSize(info)}, {pixelBytes, SpiLocalSize(pixels)});
        PELMORA_FUZZ_CHECK(reading.outcome == pelmora::DibReading::Outcome::Painted);
    } else {
        PELMORA_FUZZ_CHECK(info == nullptr && pixels == nullptr);
    }
    SpiLocalFree(info);
    SpiLocalFree(pixels);
    return 0;
}
