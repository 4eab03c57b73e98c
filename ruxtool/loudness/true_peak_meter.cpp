// TruePeakMeter: each channel's history and block laid out in one run, and the points between its
// samples summed delay by delay over a slice of frames, so that each sample is loaded once for all of
// them and every loop turns into vector arithmetic; libebur128 does the same arithmetic a sample and a
// point at a time, several times slower. The interpolator's points on the samples themselves weigh
// them by one alone: the sample peak counts them.
#include "loudness/true_peak_meter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

constexpr int kTaps = 49;
// Frames interpolated at once: their sums stay in the processor's nearest cache.
constexpr long kSlice = 1024;
constexpr double kPi = 3.14159265358979323846;

int FactorAt(long rate) { return rate < 96000 ? 4 : rate < 192000 ? 2 : 1; }

// The highest absolute value: the bits of a float without its sign order as its magnitude does, and
// whole numbers, unlike floats, give a maximum the compiler may take several at a time.
float HighestMagnitude(const float* values, long count) {
  uint32_t highest = 0;
  for (long i = 0; i < count; ++i) {
    uint32_t bits;
    std::memcpy(&bits, values + i, sizeof bits);
    bits &= 0x7FFFFFFFu;
    highest = highest > bits ? highest : bits;
  }
  float magnitude;
  std::memcpy(&magnitude, &highest, sizeof magnitude);
  return magnitude;
}

}  // namespace

TruePeakMeter::TruePeakMeter(int channels, long rate)
    : channels_(channels), channelFrames_(static_cast<size_t>(channels)) {
  const int factor = FactorAt(rate);
  if (factor == 1) return;
  delays_ = (kTaps - 1) / factor + 1;
  weights_.assign(static_cast<size_t>(delays_ * kBetween), 0.0f);
  for (int j = 0; j < kTaps; ++j) {
    const int point = j % factor;
    if (point == 0) continue;
    const double m = j - (kTaps - 1) / 2.0;
    const double weight =
        std::sin(m * kPi / factor) / (m * kPi / factor) * 0.5 * (1 - std::cos(2 * kPi * j / (kTaps - 1)));
    weights_[static_cast<size_t>((j / factor) * kBetween + point - 1)] = static_cast<float>(weight);
  }
  for (std::vector<float>& frames : channelFrames_) frames.assign(static_cast<size_t>(delays_ - 1), 0.0f);
  between_.resize(static_cast<size_t>(kBetween * kSlice));
}

void TruePeakMeter::Add(const float* frames, long count) {
  peak_ = std::max(peak_, static_cast<double>(HighestMagnitude(frames, count * channels_)));
  if (delays_ == 0) return;
  const long history = delays_ - 1;
  for (int channel = 0; channel < channels_; ++channel) {
    std::vector<float>& run = channelFrames_[static_cast<size_t>(channel)];
    run.resize(static_cast<size_t>(history + count));
    for (long frame = 0; frame < count; ++frame)
      run[static_cast<size_t>(history + frame)] = frames[frame * channels_ + channel];
    for (long slice = 0; slice < count; slice += kSlice) {
      Interpolate(run.data() + history + slice, std::min(kSlice, count - slice));
    }
    std::copy(run.end() - history, run.end(), run.begin());
  }
}

void TruePeakMeter::Interpolate(const float* newest, long count) {
  float* first = between_.data();
  float* second = first + kSlice;
  float* third = second + kSlice;
  std::fill(between_.begin(), between_.end(), 0.0f);
  for (int delay = 0; delay < delays_; ++delay) {
    const float* weights = weights_.data() + delay * kBetween;
    const float* source = newest - delay;
    for (long frame = 0; frame < count; ++frame) {
      first[frame] += weights[0] * source[frame];
      second[frame] += weights[1] * source[frame];
      third[frame] += weights[2] * source[frame];
    }
  }
  for (const float* point : {first, second, third}) {
    peak_ = std::max(peak_, static_cast<double>(HighestMagnitude(point, count)));
  }
}
