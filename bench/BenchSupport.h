#pragma once

// What the bench programs share: a file's size, their own path (each
// measurement runs in a fresh child of the program) and a heap touched
// beforehand, for timing a load without the first touch of fresh memory:
// this machine's first touch is slow at some hours and cheap at others, and
// the wall clock moves with it.

#include <unistd.h>

#include <cstddef>
#include <cstdlib>
#include <fstream>
#include <string>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace bench {

// The file's size in bytes, -1 when it cannot be read.
inline long FileSize(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    return in ? static_cast<long>(in.tellg()) : -1;
}

// This program's path, to start it again as a child (the shell that popen
// starts is not this program); empty when it cannot be told.
inline std::string SelfPath() {
    char self[4096];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return std::string();
    self[n] = 0;
    return self;
}

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
