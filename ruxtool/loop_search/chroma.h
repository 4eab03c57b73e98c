// The harmony of a stretch of music: how its power falls on the twelve pitch classes, C to B, over the
// octaves from 55 Hz to 2 kHz where the chords and the melody lie.
#pragma once

#include <array>
#include <complex>
#include <vector>

#include "loop_search/thinned_song.h"

using Chroma = std::array<float, 12>;

class ChromaMeter {
 public:
  // song: thinned to a rate that holds 2 kHz; size: the longest stretch measured, in thinned frames.
  ChromaMeter(const ThinnedSong& song, long size);

  // Of the thinned frames [first, first + count), Hann-windowed: each pitch class's amplitude, the
  // whole of unit length, or zeros in silence.
  Chroma At(long first, long count) const;
  // 1 - the cosine of two chromas: 0 for the same harmony, 1 for none in common (2 for opposite ones,
  // of chromas less their mean).
  static double Distance(const Chroma& a, const Chroma& b);

 private:
  const ThinnedSong& song_;
  std::vector<int> pitchClass_;  // of each bin, -1 outside the octaves measured
  mutable std::vector<std::complex<float>> spectrum_;
};
