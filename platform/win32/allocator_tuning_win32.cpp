#include "platform/allocator_tuning.h"

#include <malloc.h>

namespace pelmora::platform {

// The Windows heap has no arenas to limit.
void LimitAllocatorArenas(int) {}

void ReturnFreeHeapMemory() { _heapmin(); }

int AllocatorArenaCount() { return 0; }

}  // namespace pelmora::platform
