// PeakMemoryBytes: the peak working set, from GetProcessMemoryInfo.
#include <windows.h>
#include <psapi.h>

#include "peak_memory.h"

uint64_t PeakMemoryBytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return counters.PeakWorkingSetSize;
}
