// The true peak as ITU-R BS.1770 defines it: the highest absolute value of the signal interpolated to
// four times its rate (twice from 96 kHz, not at all from 192 kHz), with the interpolator libebur128
// uses, a Hann-windowed sinc of 49 taps, fed a block of frames at a time.
#pragma once

#include <vector>

class TruePeakMeter {
 public:
  TruePeakMeter(int channels, long rate);

  // Interleaved frames, nominally within -1..1, which follow those added before.
  void Add(const float* frames, long count);
  // The highest, linear; the sample peak where that is higher.
  double Peak() const { return peak_; }

 private:
  // The interpolated points between two samples: three at four times the rate, one at twice.
  static constexpr int kBetween = 3;

  void Interpolate(const float* newest, long count);

  const int channels_;
  int delays_ = 0;                                 // the interpolator's reach back, in frames, plus one
  std::vector<float> weights_;                     // per delay, the weight of each point between
  std::vector<std::vector<float>> channelFrames_;  // per channel: its history, then the block
  std::vector<float> between_;                     // kBetween runs of interpolated values
  double peak_ = 0;
};
