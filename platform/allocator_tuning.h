#pragma once
// The C library's memory allocator, tuned for a long-running window program. Media playback
// starts and ends threads for every file; the allocator gives new threads arenas of their own
// (up to eight per core) and each arena keeps what it once held, so resident memory climbed
// with every round of files although nothing leaked.

namespace pelmora::platform {

// Lets all threads share at most `count` arenas. Only arenas made later are limited: call at
// the start of main, before any thread starts. Does nothing where the allocator has no such
// setting.
void LimitAllocatorArenas(int count);

// Hands free memory the allocator keeps for reuse back to the system, in every arena.
void ReturnFreeHeapMemory();

// How many arenas the allocator has now; 0 where that cannot be told.
int AllocatorArenaCount();

}  // namespace pelmora::platform
