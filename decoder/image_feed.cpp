// FeedImageStep in steps of 64 KiB.
#include "image_feed.h"

#include <algorithm>
#include <cstring>

bool FeedImageStep(ogg_sync_state& sync, const unsigned char* bytes, uint32_t size, uint32_t& fed) {
  constexpr uint32_t kStep = 65536;
  const uint32_t count = std::min(kStep, size - fed);
  char* buffer = count ? ogg_sync_buffer(&sync, count) : nullptr;
  if (!buffer) return false;
  std::memcpy(buffer, bytes + fed, count);
  ogg_sync_wrote(&sync, count);
  fed += count;
  return true;
}
