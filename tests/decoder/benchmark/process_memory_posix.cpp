// PeakMemoryBytes: the peak resident set, from getrusage.
#include <sys/resource.h>

#include "peak_memory.h"

uint64_t PeakMemoryBytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<uint64_t>(usage.ru_maxrss) * 1024;
}
