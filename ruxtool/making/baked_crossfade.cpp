// PlanCrossfade and MixCrossfade: the weighted curve from running sums of each channel's two sides
// over a window about two periods of a low note long.
#include "making/baked_crossfade.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;
// How alike the two sides are is judged over this much of them around each moment.
constexpr double kAlikeSeconds = 0.05;
// Where the two sides cancel, the weighted curve raises their gains at most this much (12 dB), enough
// for sides that correlate at -0.97.
constexpr double kMostBoost = 4;

// Running sums over the crossfade of one channel's products of the music going out and coming in.
class SideSums {
 public:
  SideSums(const float* out, const float* in, long frames, int channels, int channel)
      : outOut_(frames + 1), inIn_(frames + 1), outIn_(frames + 1) {
    for (long i = 0; i < frames; ++i) {
      const double a = out[i * channels + channel], b = in[i * channels + channel];
      outOut_[i + 1] = outOut_[i] + a * a;
      inIn_[i + 1] = inIn_[i] + b * b;
      outIn_[i + 1] = outIn_[i] + a * b;
    }
  }

  // out and in: the equal-power gains of a moment. The factor that brings what they mix over the frames
  // [first, end) to the power the two sides would give if they neither added nor cancelled.
  double Correction(long first, long end, double out, double in) const {
    const double apart = out * out * (outOut_[end] - outOut_[first]) + in * in * (inIn_[end] - inIn_[first]);
    const double together = apart + 2 * out * in * (outIn_[end] - outIn_[first]);
    if (apart <= 0) return 1;
    return std::sqrt(apart / std::max(together, apart / (kMostBoost * kMostBoost)));
  }

 private:
  std::vector<double> outOut_, inIn_, outIn_;
};

}  // namespace

CrossfadePlan PlanCrossfade(LoopPoints loop, long inputFrames, long frames) {
  CrossfadePlan plan;
  plan.asked = frames;
  const long after = std::max(0L, inputFrames - loop.end);
  // With less than the crossfade past the loop's end, the rest of it comes before the loop's start.
  plan.frames = after >= frames ? frames : std::min(frames, loop.start + after);
  const long shift = std::min(plan.frames, after);
  plan.parts = {loop.start + shift, loop.end + shift};
  return plan;
}

void MixCrossfade(const float* out, const float* in, long frames, int channels, long rate, CrossfadeCurve curve,
                  float* mixed) {
  const long reach = std::lround(kAlikeSeconds * rate / 2);
  for (int channel = 0; channel < channels; ++channel) {
    const SideSums sums(out, in, frames, channels, channel);
    for (long i = 0; i < frames; ++i) {
      const double position = kPi / 2 * (i + 0.5) / frames;
      double outGain = std::cos(position), inGain = std::sin(position);
      if (curve == CrossfadeCurve::kEqualGain) {
        outGain *= outGain;
        inGain *= inGain;
      } else if (curve == CrossfadeCurve::kWeighted) {
        const double correction =
            sums.Correction(std::max(0L, i - reach), std::min(frames, i + reach + 1), outGain, inGain);
        outGain *= correction;
        inGain *= correction;
      }
      const long sample = i * channels + channel;
      mixed[sample] = static_cast<float>(outGain * out[sample] + inGain * in[sample]);
    }
  }
}

CrossfadeSides SidesOf(const CrossfadePlan& plan, const PcmAudio& audio) {
  const auto frames = [&audio, &plan](long first) {
    return std::vector<float>(audio.Frame(first), audio.Frame(first) + plan.frames * audio.channels);
  };
  return {plan.frames, frames(plan.OutFirst()), frames(plan.InFirst())};
}

void BakeCrossfade(const CrossfadePlan& plan, CrossfadeCurve curve, PcmAudio& audio) {
  if (plan.frames == 0) return;
  float* out = audio.samples.data() + static_cast<size_t>(plan.OutFirst()) * audio.channels;
  MixCrossfade(out, audio.Frame(plan.InFirst()), plan.frames, audio.channels, audio.rate, curve, out);
  audio.samples.resize(static_cast<size_t>(plan.parts.end) * audio.channels);
}
