// SampleRoom: the limit is the memory free when the reading starts, and never more than a vector can
// count in a 32-bit program.
#include "audio_files/sample_room.h"

#include <algorithm>
#include <cstdio>
#include <new>

#include "system/free_memory.h"

namespace {

// Measured on songs of 10 minutes, stereo and 8 channels at 48 kHz: beside the samples, the mono copy
// the loop check and the search take (4 bytes a frame) and their buffers (a byte a frame), and a few
// MiB for the encoder and the streams; with a margin.
constexpr uint64_t kBytesPerFrameBeside = 5;
constexpr uint64_t kWorkingBytes = 32ull << 20;
// More frames than any file holds; a damaged count is held to it so that no product overflows.
constexpr int64_t kFramesBeyondAnyFile = int64_t{1} << 48;

}  // namespace

uint64_t MemoryToMake(int64_t frames, int channels) {
  const uint64_t count = static_cast<uint64_t>(std::clamp<int64_t>(frames, 0, kFramesBeyondAnyFile));
  return count * (sizeof(float) * static_cast<uint64_t>(channels) + kBytesPerFrameBeside) + kWorkingBytes;
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
  if (declared > limit_) return;
  try {
    samples.reserve(static_cast<size_t>(declared));
  } catch (const std::bad_alloc&) {
    // A 32-bit program may have the bytes free, but in no one piece as long.
    problem_ = "it does not fit in memory: its samples take " + MebibytesText(declared * sizeof(float)) +
               " in one piece, more than this program has free in one piece";
  }
}

bool SampleRoom::Take(int64_t more, std::string& error) const {
  if (!problem_.empty()) {
    error = problem_;
    return false;
  }
  if (samples_.size() + static_cast<uint64_t>(more) <= limit_) return true;
  error = "it does not fit in memory: its samples pass the " + MebibytesText(limit_ * sizeof(float)) +
          " this program has free";
  return false;
}
