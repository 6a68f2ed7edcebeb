#pragma once

// A heap touched beforehand, for timing a load without the first touch of
// fresh memory: this machine's first touch is slow at some hours and cheap
// at others, and the wall clock moves with it.

#include <cstddef>
#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace bench {

// Touches `bytes` of heap and hands it back to the allocator, which is told
// to keep it (no separate mapping of large blocks, no trimming): everything
// allocated afterwards lands on memory already touched, as on a machine
// where first touches are cheap.
inline void TouchHeap(std::size_t bytes) {
#if defined(__GLIBC__)
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, -1);
#endif
    char* block = static_cast<char*>(std::malloc(bytes));
    if (!block) return;
    for (std::size_t i = 0; i < bytes; i += 4096) static_cast<volatile char*>(block)[i] = 1;
    std::free(block);
}

// More than a full load's peak (about 9 bytes per byte of file).
inline std::size_t TouchedHeapBytes(long fileBytes) {
    return static_cast<std::size_t>(fileBytes > 0 ? fileBytes : 0) * 12 + (std::size_t(64) << 20);
}

}  // namespace bench
