// The block functions that pelmora_spi.h declares, provided by the program for its plug-ins.
// A block remembers its size, so the loader can check that a picture's header fits the
// blocks a plug-in returned.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "tools/choiview/spi/pelmora_spi.h"

namespace {

// The block's size is kept in front of its bytes, which stay aligned for any type.
constexpr std::size_t kHeadSize = alignof(std::max_align_t) > sizeof(std::size_t) ? alignof(std::max_align_t)
                                                                                   : sizeof(std::size_t);

unsigned char* BytesOf(SPI_HLOCAL block) { return static_cast<unsigned char*>(block) + kHeadSize; }

}  // namespace

extern "C" {

SPI_HLOCAL SpiLocalAlloc(size_t size) {
    if (size > SIZE_MAX - kHeadSize) return nullptr;
    void* memory = std::calloc(1, kHeadSize + size);
    if (memory == nullptr) return nullptr;
    *static_cast<std::size_t*>(memory) = size;
    return memory;
}

void* SpiLocalLock(SPI_HLOCAL block) { return block != nullptr ? BytesOf(block) : nullptr; }

int SpiLocalUnlock(SPI_HLOCAL) { return 0; }

SPI_HLOCAL SpiLocalFree(SPI_HLOCAL block) {
    std::free(block);
    return nullptr;
}

size_t SpiLocalSize(SPI_HLOCAL block) { return block != nullptr ? *static_cast<const std::size_t*>(block) : 0; }

}  // extern "C"
