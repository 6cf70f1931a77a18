#include "platform/allocator_tuning.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace pelmora::platform {

#if defined(__GLIBC__)

void LimitAllocatorArenas(int count) {
    if (count > 0) mallopt(M_ARENA_MAX, count);
}

void ReturnFreeHeapMemory() { malloc_trim(0); }

int AllocatorArenaCount() {
    // malloc_info describes each arena as one <heap nr="…"> element.
    char* text = nullptr;
    std::size_t size = 0;
    FILE* stream = open_memstream(&text, &size);
    if (stream == nullptr) return 0;
    const bool described = malloc_info(0, stream) == 0;
    std::fclose(stream);
    int count = 0;
    if (described && text != nullptr)
        for (const char* at = std::strstr(text, "<heap nr="); at != nullptr; at = std::strstr(at + 1, "<heap nr="))
            ++count;
    std::free(text);
    return count;
}

#else

// Other C libraries: their allocators keep no per-thread arenas of this kind.
void LimitAllocatorArenas(int) {}
void ReturnFreeHeapMemory() {}
int AllocatorArenaCount() { return 0; }

#endif

}  // namespace pelmora::platform
