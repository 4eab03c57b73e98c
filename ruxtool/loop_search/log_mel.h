// The music's spectrum as an ear weighs it: the power of a Hann-windowed stretch summed into bands
// spaced evenly in mel, in decibels. What a listener hears change across a join changes here.
#pragma once

#include <complex>
#include <vector>

class LogMel {
 public:
  // mono: the song, which must outlive the object. window: the frames a spectrum covers (a power of
  // two).
  LogMel(const std::vector<float>& mono, long rate, long window);

  int Bands() const { return static_cast<int>(firstBin_.size()); }
  long Window() const { return window_; }
  // The band powers of the frames [first, first + window); frames outside the song count as silence.
  std::vector<float> PowersAt(long first) const;
  // The powers in dB, each band's no lower than its floor: below it, a band counts as silent, so that
  // the coder's noise in a quiet band, or two near-silent windows, make no jump.
  static std::vector<float> Levels(const std::vector<float>& powers, const std::vector<float>& floors);
  // The mean absolute difference of two spectra, in dB.
  static double Distance(const std::vector<float>& a, const std::vector<float>& b);

 private:
  const std::vector<float>& mono_;
  const long window_;
  std::vector<float> hann_;
  // Each band's triangle over the FFT's bins: its first bin and its weights from there.
  std::vector<size_t> firstBin_;
  std::vector<std::vector<float>> weights_;
  mutable std::vector<std::complex<float>> spectrum_;
};
