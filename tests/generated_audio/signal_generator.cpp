// MakeSignal: tones, sweep, noise and bursts from a fixed formula and a small generator.
#include "signal_generator.h"

#include <cmath>

#include "deterministic_noise.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

}  // namespace

std::vector<float> MakeSignal(int channels, long rate, long frames, unsigned seed) {
  std::vector<float> samples(static_cast<size_t>(frames) * channels);
  DeterministicNoise noise(seed);
  const long burstLength = rate / 20;
  for (long frame = 0; frame < frames; ++frame) {
    const double time = static_cast<double>(frame) / rate;
    const bool inBurst = frame % rate < burstLength;
    for (int channel = 0; channel < channels; ++channel) {
      const double tone = 110.0 * (2 + seed % 5 + channel);
      const double sweep = 40.0 * std::sin(2 * kPi * 0.25 * time);
      double value = 0.45 * std::sin(2 * kPi * (tone + sweep) * time) + 0.05 * noise.Next();
      if (inBurst) value = std::sin(2 * kPi * tone * time) >= 0 ? 1.0 : -1.0;
      samples[static_cast<size_t>(frame) * channels + channel] = static_cast<float>(value);
    }
  }
  return samples;
}
