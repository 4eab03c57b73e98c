// MeasureReferenceLoudness: each channel K-weighted by two biquads, its energy summed per 100 ms; four
// such sums make a block. The true peak comes from a polyphase interpolator of 4 phases of 24 taps, a
// Blackman-windowed sinc whose phases each sum to one.
#include "reference_loudness.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr long kRate = 48000;
constexpr long kStep = kRate / 10;  // 100 ms
constexpr int kStepsPerBlock = 4;   // 400 ms
constexpr int kPhases = 4;
constexpr int kTapsPerPhase = 24;

struct Biquad {
  double b0, b1, b2, a1, a2;
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  double Filter(double x) {
    const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    return y;
  }
};

// BS.1770-4, table 1 (the head's acoustic effect, a high shelf) and table 2 (the RLB high pass).
Biquad Shelf() { return {1.53512485958697, -2.69169618940638, 1.19839281085285, -1.69065929318241, 0.73248077421585}; }
Biquad HighPass() { return {1.0, -2.0, 1.0, -1.99004745483398, 0.99007225036621}; }

// Per 100 ms step, the K-weighted energy of all channels.
std::vector<double> StepEnergies(const std::vector<float>& samples, int channels) {
  const long frames = static_cast<long>(samples.size()) / channels;
  std::vector<double> energies(static_cast<size_t>(frames / kStep));
  for (int channel = 0; channel < channels; ++channel) {
    Biquad shelf = Shelf(), highPass = HighPass();
    for (long frame = 0; frame < static_cast<long>(energies.size()) * kStep; ++frame) {
      const double weighted = highPass.Filter(shelf.Filter(samples[static_cast<size_t>(frame * channels + channel)]));
      energies[static_cast<size_t>(frame / kStep)] += weighted * weighted;
    }
  }
  return energies;
}

double LoudnessOf(double meanSquare) { return -0.691 + 10 * std::log10(meanSquare); }

// The mean of the blocks' mean squares above a threshold.
double MeanAbove(const std::vector<double>& blocks, double threshold) {
  double sum = 0;
  int count = 0;
  for (double block : blocks) {
    if (LoudnessOf(block) <= threshold) continue;
    sum += block;
    ++count;
  }
  return count ? sum / count : 0;
}

double IntegratedLoudness(const std::vector<float>& samples, int channels) {
  const std::vector<double> steps = StepEnergies(samples, channels);
  std::vector<double> blocks;
  for (size_t first = 0; first + kStepsPerBlock <= steps.size(); ++first) {
    double energy = 0;
    for (int step = 0; step < kStepsPerBlock; ++step) energy += steps[first + step];
    blocks.push_back(energy / (kStep * kStepsPerBlock));
  }
  const double relativeGate = LoudnessOf(MeanAbove(blocks, -70)) - 10;
  return LoudnessOf(MeanAbove(blocks, std::max(-70.0, relativeGate)));
}

std::vector<double> InterpolatorTaps() {
  std::vector<double> taps(kPhases * kTapsPerPhase);
  const double center = (taps.size() - 1) / 2.0;
  for (size_t i = 0; i < taps.size(); ++i) {
    const double t = (i - center) / kPhases;
    const double sinc = t == 0 ? 1 : std::sin(kPi * t) / (kPi * t);
    const double x = 2 * kPi * i / (taps.size() - 1);
    taps[i] = sinc * (0.42 - 0.5 * std::cos(x) + 0.08 * std::cos(2 * x));
  }
  for (int phase = 0; phase < kPhases; ++phase) {
    double sum = 0;
    for (int tap = 0; tap < kTapsPerPhase; ++tap) sum += taps[tap * kPhases + phase];
    for (int tap = 0; tap < kTapsPerPhase; ++tap) taps[tap * kPhases + phase] /= sum;
  }
  return taps;
}

double TruePeak(const std::vector<float>& samples, int channels) {
  static const std::vector<double> taps = InterpolatorTaps();
  const long frames = static_cast<long>(samples.size()) / channels;
  double peak = 0;
  for (int channel = 0; channel < channels; ++channel) {
    for (long frame = 0; frame < frames; ++frame) {
      for (int phase = 0; phase < kPhases; ++phase) {
        double value = 0;
        for (int tap = 0; tap < kTapsPerPhase && tap <= frame; ++tap) {
          value += taps[tap * kPhases + phase] * samples[static_cast<size_t>((frame - tap) * channels + channel)];
        }
        peak = std::max(peak, std::abs(value));
      }
    }
  }
  return 20 * std::log10(peak);
}

}  // namespace

ReferenceLoudness MeasureReferenceLoudness(const std::string& pcm, int channels) {
  std::vector<float> samples(pcm.size() / 2);
  for (size_t i = 0; i < samples.size(); ++i) {
    int16_t sample;
    std::memcpy(&sample, &pcm[2 * i], 2);
    samples[i] = sample / 32768.0f;
  }
  return {IntegratedLoudness(samples, channels), TruePeak(samples, channels)};
}
