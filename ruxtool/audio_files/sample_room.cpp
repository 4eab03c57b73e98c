// SampleRoom: the limit is the memory free when the reading starts, and never more than a vector can
// count in a 32-bit program.
#include "audio_files/sample_room.h"

#include <algorithm>
#include <cstdio>

#include "system/free_memory.h"

namespace {

// What the loop search and the encoder take beside the samples, measured on songs of 4 and 10 minutes:
// the mono copy and the search's spectra, a few times the mono copy, and the streams made.
constexpr uint64_t kMonoCopies = 3;
constexpr uint64_t kWorkingBytes = 48ull << 20;
// More frames than any file holds; a damaged count is held to it so that no product overflows.
constexpr int64_t kFramesBeyondAnyFile = int64_t{1} << 48;

}  // namespace

uint64_t MemoryToMake(int64_t frames, int channels) {
  const uint64_t count = static_cast<uint64_t>(std::clamp<int64_t>(frames, 0, kFramesBeyondAnyFile));
  return count * sizeof(float) * (static_cast<uint64_t>(channels) + kMonoCopies) + kWorkingBytes;
}

std::string MebibytesText(uint64_t bytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f MiB", bytes / 1048576.0);
  return text;
}

SampleRoom::SampleRoom(std::vector<float>& samples, int64_t declaredFrames, int channels)
    : samples_(samples), limit_(std::min<uint64_t>(samples.max_size(), FreeMemory() / sizeof(float))) {
  const uint64_t declared = static_cast<uint64_t>(std::clamp<int64_t>(declaredFrames, 0, kFramesBeyondAnyFile)) *
                            static_cast<uint64_t>(channels);
  if (declared <= limit_) samples.reserve(static_cast<size_t>(declared));
}

bool SampleRoom::Take(int64_t more, std::string& error) const {
  if (samples_.size() + static_cast<uint64_t>(more) <= limit_) return true;
  error = "it does not fit in memory: its samples pass the " + MebibytesText(limit_ * sizeof(float)) +
          " this program has free";
  return false;
}
