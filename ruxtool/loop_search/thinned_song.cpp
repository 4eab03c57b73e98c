// ThinnedSong: a thinned frame is the mean of the song's frames it stands for.
#include "loop_search/thinned_song.h"

#include <algorithm>

ThinnedSong::ThinnedSong(const std::vector<float>& mono, long rate, long targetRate)
    : mono_(mono), rate_(rate), factor_(std::max(1L, rate / targetRate)) {}

float ThinnedSong::At(long i) const {
  if (i < 0 || i >= Length()) return 0;
  float sum = 0;
  for (long frame = i * factor_; frame < (i + 1) * factor_; ++frame) sum += mono_[frame];
  return sum / static_cast<float>(factor_);
}
