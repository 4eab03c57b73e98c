// How much a seam costs: the signal-to-noise ratio of what played in the 2048 frames around it,
// against the median of the same ratio in the windows 2 to 16 window lengths away on either side, so
// that the encoder's slow drift with loudness does not count as the seam's.
#pragma once

#include <vector>

#include "audio_files/pcm_audio.h"

constexpr long kSeamWindow = 2048;
// How far either side of a seam the measure reads.
constexpr long kSeamReach = 16 * kSeamWindow + kSeamWindow / 2;

struct SeamError {
  bool measured = false;  // false when the span is too short for the window and those around it
  double seamSnr = 0;     // dB in the window centred on the seam
  double bodySnr = 0;     // dB, the median of the windows around it
  // dB the seam is worse than the music around it.
  double Cost() const { return bodySnr - seamSnr; }
};

// ideal and played: the same span of interleaved frames, as it should play and as it played; seam: a
// frame in it. Windows that do not fit in the span are left out.
SeamError MeasureSeam(const float* ideal, const float* played, long frames, int channels, long seam);

// The input's frames that should play from the playback's frame first on, for count frames: the
// introduction, then the loop over and over.
std::vector<float> IdealPlayback(const PcmAudio& audio, LoopPoints loop, long first, long count);
