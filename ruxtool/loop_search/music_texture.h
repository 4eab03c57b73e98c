// The music's texture over time, for finding where it repeats: per step of about 46 ms, the log
// energies of 24 bands less their average over the second around, as a unit vector. Two stretches
// that hold the same music have the same texture; noise has none that lasts.
#pragma once

#include <cstddef>
#include <vector>

struct MusicTexture {
  long hop = 0;  // frames per step
  int bands = 0;
  std::vector<float> vectors;  // one unit vector (or zeros, in silence) of bands per step

  long Steps() const { return bands ? static_cast<long>(vectors.size()) / bands : 0; }
  const float* Step(long step) const { return vectors.data() + static_cast<size_t>(step) * bands; }
};

MusicTexture MeasureTexture(const std::vector<float>& mono, long rate);
