// GuardedImage's pages from mmap, the guard made inaccessible with mprotect.
#include <sys/mman.h>
#include <unistd.h>

#include "guarded_image.h"

char* GuardedImage::MapPages(size_t readable, size_t guard) {
  auto* pages = static_cast<char*>(
      mmap(nullptr, readable + guard, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
  mprotect(pages + readable, guard, PROT_NONE);
  return pages;
}

void GuardedImage::UnmapPages(char* pages, size_t length) { munmap(pages, length); }

size_t GuardedImage::PageSize() { return static_cast<size_t>(sysconf(_SC_PAGESIZE)); }
