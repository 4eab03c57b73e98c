// The music step by step, every 12 ms or so, for finding its beat and its harmony: the spectrum in
// mel bands, its level, and how sharply it rises (the onsets of notes and drums), measured on the song
// thinned to about 11 kHz, which holds the pitches and the attacks.
#pragma once

#include <cstddef>
#include <vector>

struct MusicSteps {
  long rate = 0;         // the song's
  long hop = 0;          // frames of the song per step
  long centre = 0;       // frames from a step's first frame to the moment it stands for
  int bands = 0;
  std::vector<float> levels;  // per step, bands of dB, each band no lower than 30 dB below its mean
  std::vector<float> powers;  // per step, the power of all bands in dB
  std::vector<float> onsets;  // per step, the spectrum's rise into it less the rise around, 0 or more

  double StepSeconds() const { return static_cast<double>(hop) / rate; }
  long Steps() const { return static_cast<long>(onsets.size()); }
  const float* Levels(long step) const { return levels.data() + static_cast<size_t>(step) * bands; }
  long FrameOf(double step) const { return static_cast<long>(step * hop) + centre; }
  double StepOf(long frame) const { return static_cast<double>(frame - centre) / hop; }
};

// The rate the song is thinned to for its steps and its chroma.
constexpr long kThinnedMusicRate = 11025;

MusicSteps MeasureSteps(const std::vector<float>& mono, long rate);
