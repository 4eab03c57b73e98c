// A song thinned out to a lower rate by averaging runs of frames: cheap to scan, and it keeps the
// music's body, the pitches and the onsets, which lie well below the thinned rate's half.
#pragma once

#include <vector>

class ThinnedSong {
 public:
  // mono: the song, which must outlive the object; thinned to about targetRate, never above its rate.
  ThinnedSong(const std::vector<float>& mono, long rate, long targetRate);

  long Factor() const { return factor_; }
  long Rate() const { return rate_ / factor_; }
  long Length() const { return static_cast<long>(mono_.size()) / factor_; }
  // The thinned frame i, the mean of factor frames; 0 outside the song.
  float At(long i) const;

 private:
  const std::vector<float>& mono_;
  const long rate_;
  const long factor_;
};
