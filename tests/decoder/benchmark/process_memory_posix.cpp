// The process's memory: the peak resident set from getrusage, the C heap's bytes in use from mallinfo2.
#include <malloc.h>
#include <sys/resource.h>

#include "process_memory.h"

uint64_t PeakMemoryBytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<uint64_t>(usage.ru_maxrss) * 1024;
}

uint64_t MemoryInUseBytes() {
  const struct mallinfo2 heap = mallinfo2();
  return heap.uordblks + heap.hblkhd;
}
