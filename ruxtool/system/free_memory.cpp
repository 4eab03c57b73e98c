// FreeMemory: GlobalMemoryStatusEx on Windows; the host build's free physical memory elsewhere.
#include "system/free_memory.h"

#include <algorithm>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

uint64_t FreeMemory() {
#ifdef _WIN32
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  if (!GlobalMemoryStatusEx(&status)) return 0;
  return std::min<uint64_t>(status.ullAvailVirtual, status.ullAvailPageFile);
#else
  return static_cast<uint64_t>(sysconf(_SC_AVPHYS_PAGES)) * static_cast<uint64_t>(sysconf(_SC_PAGESIZE));
#endif
}
