// CountProcessResources over the system's handle table, a thread snapshot and heap walks;
// MemoryInUse over the address space's regions.
// GetProcessHandleCount answers 0 under Wine; the system handle table is filled in.
#include <windows.h>
#include <winternl.h>
#include <tlhelp32.h>

#include <vector>

#include "process_resources.h"

namespace {

// SYSTEM_HANDLE_INFORMATION, class 16 of NtQuerySystemInformation.
constexpr auto kSystemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);
struct SystemHandle {
  ULONG processId;
  BYTE objectType;
  BYTE flags;
  USHORT handle;
  PVOID object;
  ACCESS_MASK access;
};
struct SystemHandles {
  ULONG count;
  SystemHandle handles[1];
};

long CountHandles() {
  std::vector<char> table(1 << 20);
  ULONG needed = 0;
  while (NtQuerySystemInformation(kSystemHandleInformation, table.data(), static_cast<ULONG>(table.size()),
                                  &needed) != 0) {
    if (table.size() >= (1u << 28)) return -1;
    table.resize(table.size() * 2);
  }
  const auto& system = *reinterpret_cast<const SystemHandles*>(table.data());
  long count = 0;
  for (ULONG i = 0; i < system.count; ++i) count += system.handles[i].processId == GetCurrentProcessId();
  return count;
}

long CountThreads() {
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  long count = 0;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    count += entry.th32OwnerProcessID == GetCurrentProcessId();
  }
  CloseHandle(snapshot);
  return count;
}

int64_t HeapBytesInUse() {
  HANDLE heaps[256];
  const DWORD count = GetProcessHeaps(256, heaps);
  int64_t bytes = 0;
  for (DWORD i = 0; i < count && i < 256; ++i) {
    HeapLock(heaps[i]);
    PROCESS_HEAP_ENTRY entry{};
    while (HeapWalk(heaps[i], &entry)) {
      if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) bytes += entry.cbData;
    }
    HeapUnlock(heaps[i]);
  }
  return bytes;
}

}  // namespace

int64_t MemoryInUse() {
  int64_t bytes = 0;
  MEMORY_BASIC_INFORMATION region;
  for (const char* address = nullptr; VirtualQuery(address, &region, sizeof region) == sizeof region;) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) bytes += region.RegionSize;
    const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
    if (next <= address) break;
    address = next;
  }
  return bytes;
}

ProcessResources CountProcessResources() {
  ProcessResources resources;
  resources.heapBytes = HeapBytesInUse();
  resources.threads = CountThreads();
  resources.handles = CountHandles();
  return resources;
}
