// SettleLag by cross-correlation through the FFT, normalised by the energies of both spans; PlaceSeam
// by running sums of the window's energies and of its products with the frames a lag later.
#include "loop_search/waveform_match.h"

#include <algorithm>
#include <cmath>
#include <complex>

#include "loop_search/fft.h"

namespace {

// The same audio through a lossy coder still correlates at 0.98 or more; music that is only alike, a
// bar of the same bass and kick under another melody, reaches 0.95. What changes from frame to frame
// (the melody, the drums' attack) tells them apart: a copy's first differences still correlate at 0.55
// or more after the coarsest lossy coding, those of music alike at 0.35 at most.
constexpr double kCopyCorrelation = 0.95;
constexpr double kCopyDifferenceCorrelation = 0.45;
// Keeps the mismatch of near-silent windows near 0: a seam in silence cannot be heard.
constexpr double kQuietShare = 1e-3;

std::vector<std::complex<float>> Spectrum(const float* samples, long count, size_t size) {
  std::vector<std::complex<float>> spectrum(size);
  for (long i = 0; i < count; ++i) spectrum[i] = samples[i];
  Fft(spectrum);
  return spectrum;
}

// The sums of what value(frame) gives for the frames [first, first + length) and for those lag frames
// later: their products, and each side's squares.
struct CorrelationSums {
  double product = 0, here = 0, there = 0;

  double Correlation() const { return here > 0 && there > 0 ? product / std::sqrt(here * there) : 0; }
};

template <typename Value>
CorrelationSums SumsOf(const Value& value, long first, long lag, long length) {
  CorrelationSums sums;
  for (long frame = first; frame < first + length; ++frame) {
    const double a = value(frame), b = value(frame + lag);
    sums.product += a * b;
    sums.here += a * a;
    sums.there += b * b;
  }
  return sums;
}

// The normalised correlation of the frames [first, first + length) and those lag frames later.
template <typename Value>
double CorrelationOf(const Value& value, long first, long lag, long length) {
  return SumsOf(value, first, lag, length).Correlation();
}

// As CorrelationOf, but step by step: each step's correlation, whatever the level of either side,
// weighted by the energy of the earlier frames.
template <typename Value>
double CorrelationAtAnyLevelOf(const Value& value, long first, long lag, long length, long step) {
  double weighted = 0, weights = 0;
  for (long from = first; from < first + length; from += step) {
    const CorrelationSums sums = SumsOf(value, from, lag, std::min(step, first + length - from));
    weighted += sums.here * sums.Correlation();
    weights += sums.here;
  }
  return weights > 0 ? weighted / weights : 0;
}

}  // namespace

std::vector<double> LagCorrelations(const std::vector<float>& mono, long from, long length, long approximate,
                                    long reach) {
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
  std::vector<double> correlations(static_cast<size_t>(2 * reach + 1));
  for (long shift = 0; shift <= 2 * reach; ++shift) {
    if (shift > 0) {
      laterEnergy += static_cast<double>(later[shift + length - 1]) * later[shift + length - 1] -
                     static_cast<double>(later[shift - 1]) * later[shift - 1];
    }
    const double energies = std::sqrt(spanEnergy * std::max(laterEnergy, 0.0));
    correlations[shift] = energies > 0 ? product[shift].real() / static_cast<double>(size) / energies : 0;
  }
  return correlations;
}

LagMatch SettleLag(const std::vector<float>& mono, long from, long length, long approximate, long reach) {
  const std::vector<double> correlations = LagCorrelations(mono, from, length, approximate, reach);
  const long best = std::max_element(correlations.begin(), correlations.end()) - correlations.begin();
  return {approximate - reach + best, std::max(0.0, correlations[best])};
}

double Correlation(const std::vector<float>& mono, long first, long lag, long length) {
  return CorrelationOf([&](long frame) { return mono[frame]; }, first, lag, length);
}

bool IsCopy(const std::vector<float>& mono, long first, const LagMatch& match, long length) {
  const auto difference = [&](long frame) { return mono[frame + 1] - mono[frame]; };
  return match.correlation >= kCopyCorrelation &&
         CorrelationOf(difference, first, match.lag, length - 1) >= kCopyDifferenceCorrelation;
}

bool IsCopyAtAnyLevel(const std::vector<float>& mono, long first, long lag, long length, long step, double& correlation) {
  const auto sample = [&](long frame) { return mono[frame]; };
  const auto difference = [&](long frame) { return mono[frame + 1] - mono[frame]; };
  correlation = CorrelationAtAnyLevelOf(sample, first, lag, length, step);
  return correlation >= kCopyCorrelation &&
         CorrelationAtAnyLevelOf(difference, first, lag, length - 1, step) >= kCopyDifferenceCorrelation;
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
