// CountProcessResources from /proc/self and the allocator's own count.
#include <dirent.h>
#include <malloc.h>

#include "process_resources.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define SANITIZER_ALLOCATOR 1
#endif
#endif

#ifdef SANITIZER_ALLOCATOR
#include <sanitizer/allocator_interface.h>
#endif

namespace {

long CountEntries(const char* folder) {
  DIR* directory = opendir(folder);
  if (!directory) return -1;
  long count = 0;
  while (const dirent* entry = readdir(directory)) count += entry->d_name[0] != '.';
  closedir(directory);
  return count;
}

int64_t HeapBytesInUse() {
#ifdef SANITIZER_ALLOCATOR
  return static_cast<int64_t>(__sanitizer_get_current_allocated_bytes());
#else
  return static_cast<int64_t>(mallinfo2().uordblks);
#endif
}

}  // namespace

int64_t MemoryInUse() { return HeapBytesInUse(); }

ProcessResources CountProcessResources() {
  ProcessResources resources;
  resources.heapBytes = HeapBytesInUse();
  resources.threads = CountEntries("/proc/self/task");
  // The listing's own descriptor is open while it is counted.
  resources.handles = CountEntries("/proc/self/fd") - 1;
  return resources;
}
