// SettleLag by cross-correlation through the FFT, normalised by the energies of both spans; PlaceSeam
// by running sums of the window's energies and of its products with the frames a lag later.
#include "waveform_match.h"

#include <algorithm>
#include <cmath>
#include <complex>

#include "fft.h"

namespace {

// Keeps the mismatch of near-silent windows near 0: a seam in silence cannot be heard.
constexpr double kQuietShare = 1e-3;

std::vector<std::complex<float>> Spectrum(const float* samples, long count, size_t size) {
  std::vector<std::complex<float>> spectrum(size);
  for (long i = 0; i < count; ++i) spectrum[i] = samples[i];
  Fft(spectrum);
  return spectrum;
}

}  // namespace

LagMatch SettleLag(const std::vector<float>& mono, long from, long length, long approximate, long reach) {
  const float* span = mono.data() + from;
  const float* later = mono.data() + from + approximate - reach;
  const long laterLength = length + 2 * reach;
  const size_t size = PowerOfTwoAtLeast(static_cast<size_t>(laterLength));
  std::vector<std::complex<float>> product = Spectrum(later, laterLength, size);
  const std::vector<std::complex<float>> spectrum = Spectrum(span, length, size);
  for (size_t i = 0; i < size; ++i) product[i] *= std::conj(spectrum[i]);
  Fft(product, true);

  double spanEnergy = 0, laterEnergy = 0;
  for (long i = 0; i < length; ++i) {
    spanEnergy += static_cast<double>(span[i]) * span[i];
    laterEnergy += static_cast<double>(later[i]) * later[i];
  }
  LagMatch best;
  for (long shift = 0; shift <= 2 * reach; ++shift) {
    if (shift > 0) {
      laterEnergy += static_cast<double>(later[shift + length - 1]) * later[shift + length - 1] -
                     static_cast<double>(later[shift - 1]) * later[shift - 1];
    }
    const double energies = std::sqrt(spanEnergy * std::max(laterEnergy, 0.0));
    const double correlation = energies > 0 ? product[shift].real() / static_cast<double>(size) / energies : 0;
    if (correlation > best.correlation) best = {approximate - reach + shift, correlation};
  }
  return best;
}

SeamPlace PlaceSeam(const std::vector<float>& mono, long lag, long from, long to, long window, double meanPower) {
  const double quiet = kQuietShare * 2 * window * meanPower;
  const long half = window / 2;
  double here = 0, there = 0, across = 0;
  const auto add = [&](long frame, double sign) {
    const double a = mono[frame], b = mono[frame + lag];
    here += sign * a * a;
    there += sign * b * b;
    across += sign * a * b;
  };
  for (long frame = from - half; frame < from + half; ++frame) add(frame, 1);
  SeamPlace best;
  for (long start = from; start < to; ++start) {
    if (start > from) {
      add(start + half - 1, 1);
      add(start - half - 1, -1);
    }
    const double mismatch = std::max(0.0, here + there - 2 * across) / (here + there + quiet);
    if (mismatch < best.mismatch) best = {start, mismatch};
  }
  return best;
}

double MeanPower(const std::vector<float>& mono) {
  double power = 0;
  for (float sample : mono) power += static_cast<double>(sample) * sample;
  return mono.empty() ? 0 : power / static_cast<double>(mono.size());
}
