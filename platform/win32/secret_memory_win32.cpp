#include "platform/secret_memory.h"

#include <windows.h>

namespace pelmora::platform {

void* AllocateSecretMemory(std::size_t size) {
    if (size == 0) size = 1;
    void* memory = VirtualAlloc(nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    // Locked pages stay out of the page file; a full lock quota leaves them unlocked but usable.
    if (memory != nullptr) VirtualLock(memory, size);
    return memory;
}

void FreeSecretMemory(void* memory, std::size_t size) {
    if (memory == nullptr) return;
    if (size == 0) size = 1;
    WipeMemory(memory, size);
    VirtualUnlock(memory, size);
    VirtualFree(memory, 0, MEM_RELEASE);
}

void WipeMemory(void* memory, std::size_t size) {
    if (memory != nullptr && size > 0) SecureZeroMemory(memory, size);
}

}  // namespace pelmora::platform
