// What the process holds that a leak would make grow: open handles (file descriptors on the host),
// threads, and bytes in use on the heap.
#pragma once

#include <cstdint>

struct ProcessResources {
  long handles = 0;
  long threads = 0;
  // Under Wine the local heap, which holds the library's own blocks and file buffers; on the host
  // the whole C heap as the allocator (or sanitizer) counts it.
  int64_t heapBytes = 0;
};

ProcessResources CountProcessResources();

// Memory the process uses: under Wine all its committed private memory, the C runtime's heap (which
// cannot be walked) and libvorbis's tables in it included; on the host the C heap.
int64_t MemoryInUse();
