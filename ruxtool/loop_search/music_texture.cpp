// MeasureTexture: a Hann-windowed spectrum of two steps per step, summed into log-spaced bands.
#include "loop_search/music_texture.h"

#include <algorithm>
#include <cmath>
#include <complex>

#include "loop_search/fft.h"
#include "system/stop_request.h"

namespace {

constexpr int kBands = 24;
constexpr double kStepSeconds = 0.046;
constexpr double kLowestHertz = 80;
constexpr double kHighestHertz = 11000;
// Steps either side whose average each band's energy is measured against.
constexpr long kAverageSteps = 11;

// The first spectrum bin of each band, and the end of the last.
std::vector<size_t> BandEdges(long rate, size_t bins) {
  const double highest = std::min(kHighestHertz, rate / 2.0);
  std::vector<size_t> edges;
  for (int band = 0; band <= kBands; ++band) {
    const double hertz = kLowestHertz * std::pow(highest / kLowestHertz, static_cast<double>(band) / kBands);
    edges.push_back(std::clamp<size_t>(static_cast<size_t>(hertz / rate * 2 * bins), 1, bins));
  }
  return edges;
}

// Log band energies of every step.
std::vector<float> BandEnergies(const std::vector<float>& mono, long hop, long rate) {
  const size_t frame = 2 * static_cast<size_t>(hop);
  const std::vector<size_t> edges = BandEdges(rate, frame / 2);
  std::vector<float> window(frame);
  for (size_t i = 0; i < frame; ++i) window[i] = static_cast<float>(0.5 - 0.5 * std::cos(2 * 3.14159265358979 * i / frame));
  const long steps = mono.size() >= frame ? static_cast<long>((mono.size() - frame) / hop) + 1 : 0;
  std::vector<float> energies;
  energies.reserve(static_cast<size_t>(steps) * kBands);
  std::vector<std::complex<float>> spectrum(frame);
  for (long step = 0; step < steps && !StopRequested(); ++step) {
    const float* samples = mono.data() + step * hop;
    for (size_t i = 0; i < frame; ++i) spectrum[i] = samples[i] * window[i];
    Fft(spectrum);
    for (int band = 0; band < kBands; ++band) {
      double energy = 0;
      for (size_t bin = edges[band]; bin < std::max(edges[band + 1], edges[band] + 1); ++bin) energy += std::norm(spectrum[bin]);
      energies.push_back(static_cast<float>(std::log(energy + 1e-9)));
    }
  }
  return energies;
}

}  // namespace

MusicTexture MeasureTexture(const std::vector<float>& mono, long rate) {
  MusicTexture texture;
  texture.hop = static_cast<long>(PowerOfTwoAtLeast(static_cast<size_t>(rate * kStepSeconds * 0.75)));
  texture.bands = kBands;
  const std::vector<float> energies = BandEnergies(mono, texture.hop, rate);
  const long steps = static_cast<long>(energies.size()) / kBands;
  texture.vectors.resize(energies.size());
  for (long step = 0; step < steps; ++step) {
    const long first = std::max(0L, step - kAverageSteps), last = std::min(steps - 1, step + kAverageSteps);
    double length = 0;
    float* vector = &texture.vectors[static_cast<size_t>(step) * kBands];
    for (int band = 0; band < kBands; ++band) {
      double average = 0;
      for (long around = first; around <= last; ++around) average += energies[around * kBands + band];
      vector[band] = static_cast<float>(energies[step * kBands + band] - average / (last - first + 1));
      length += static_cast<double>(vector[band]) * vector[band];
    }
    const float scale = length > 1e-6 ? static_cast<float>(1 / std::sqrt(length)) : 0.0f;
    for (int band = 0; band < kBands; ++band) vector[band] *= scale;
  }
  return texture;
}
