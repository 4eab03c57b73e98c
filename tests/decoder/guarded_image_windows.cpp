// GuardedImage's pages from VirtualAlloc, the guard made inaccessible with VirtualProtect.
#include <windows.h>

#include "guarded_image.h"

char* GuardedImage::MapPages(size_t readable, size_t guard) {
  auto* pages =
      static_cast<char*>(VirtualAlloc(nullptr, readable + guard, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
  DWORD old;
  VirtualProtect(pages + readable, guard, PAGE_NOACCESS, &old);
  return pages;
}

void GuardedImage::UnmapPages(char* pages, size_t) { VirtualFree(pages, 0, MEM_RELEASE); }

size_t GuardedImage::PageSize() {
  SYSTEM_INFO system;
  GetSystemInfo(&system);
  return system.dwPageSize;
}
