// ChooseCrossfadeLength: the wrap played from the mono mix for each length, its spectrum's steps
// measured in mel bands against the same steps of the music on either side.
#include "making/crossfade_length.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>
#include <map>

#include "loop_search/fft.h"
#include "loop_search/given_loop_check.h"
#include "making/baked_crossfade.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kShortestSeconds = 0.05;
constexpr double kLongestSeconds = 2;
// Each length of the ladder this much longer than the one before.
constexpr double kLadderStep = 1.41421356237;
// Lengths whose wraps are this much as smooth as the smoothest are as good: about what the measure
// scatters from one length to the next.
constexpr double kAsSmoothDb = 0.5;
constexpr int kBands = 40;
constexpr double kLowestHertz = 40;
constexpr double kHighestHertz = 16000;
// Below this level (re a full-scale sine), a band counts as silent.
constexpr double kFloorDb = -90;

double Mel(double hertz) { return 2595 * std::log10(1 + hertz / 700); }
double Hertz(double mel) { return 700 * (std::pow(10, mel / 2595) - 1); }

// The levels of a window of frames in mel bands, as an ear weighs how a sound's colour changes.
class MelLevels {
 public:
  explicit MelLevels(long rate)
      : window_(static_cast<long>(PowerOfTwoAtLeast(static_cast<size_t>(0.046 * rate)))), hann_(window_) {
    for (long i = 0; i < window_; ++i) hann_[i] = static_cast<float>(0.5 - 0.5 * std::cos(2 * kPi * i / window_));
    const double lowest = Mel(kLowestHertz), highest = Mel(std::min(kHighestHertz, rate / 2.0));
    for (int band = 0; band <= kBands; ++band) {
      const double hertz = Hertz(lowest + (highest - lowest) * band / kBands);
      edges_.push_back(std::clamp<long>(std::lround(hertz / rate * window_), 1, window_ / 2));
    }
  }

  long Window() const { return window_; }

  // The window of samples from first on, which must lie within them.
  std::vector<float> At(const std::vector<float>& samples, long first) const {
    std::vector<std::complex<float>> spectrum(window_);
    for (long i = 0; i < window_; ++i) spectrum[i] = samples[first + i] * hann_[i];
    Fft(spectrum);
    // A full-scale sine's bin, for levels re full scale.
    const double fullScale = std::pow(window_ / 4.0, 2);
    std::vector<float> levels(kBands);
    for (int band = 0; band < kBands; ++band) {
      double power = 0;
      for (long bin = edges_[band]; bin < std::max(edges_[band + 1], edges_[band] + 1); ++bin) {
        power += std::norm(spectrum[bin]);
      }
      levels[band] = static_cast<float>(std::max(kFloorDb, 10 * std::log10(power / fullScale + 1e-30)));
    }
    return levels;
  }

  static double Distance(const std::vector<float>& a, const std::vector<float>& b) {
    double sum = 0;
    for (size_t i = 0; i < a.size(); ++i) sum += std::fabs(a[i] - b[i]);
    return sum / static_cast<double>(a.size());
  }

 private:
  const long window_;
  std::vector<float> hann_;
  std::vector<long> edges_;
};

// The mel levels of samples' windows, each worked out once.
class WindowLevels {
 public:
  WindowLevels(const MelLevels& levels, const std::vector<float>& samples) : levels_(levels), samples_(samples) {}

  // The step from the window at first to the one after it; -1 where they do not lie in the samples.
  double Step(long first) {
    if (first < 0 || first + 2 * levels_.Window() > static_cast<long>(samples_.size())) return -1;
    return MelLevels::Distance(At(first), At(first + levels_.Window()));
  }

 private:
  const std::vector<float>& At(long first) {
    const auto found = cache_.find(first);
    return found != cache_.end() ? found->second : cache_[first] = levels_.At(samples_, first);
  }

  const MelLevels& levels_;
  const std::vector<float>& samples_;
  std::map<long, std::vector<float>> cache_;
};

// count frames of mono from first on, silence where they lie outside it.
std::vector<float> Excerpt(const std::vector<float>& mono, long first, long count) {
  std::vector<float> excerpt(static_cast<size_t>(count));
  for (long i = 0; i < count; ++i) {
    if (first + i >= 0 && first + i < static_cast<long>(mono.size())) excerpt[i] = mono[first + i];
  }
  return excerpt;
}

// How abrupt the wrap is crossfaded over one length or another: the played wrap's steps against the
// input's own at the same moments, on one grid of the input's frames, so that each length's steps reuse
// the input's windows that the others measured.
class WrapSteps {
 public:
  WrapSteps(const std::vector<float>& mono, long rate) : mono_(mono), rate_(rate), levels_(rate), input_(levels_, mono) {}

  double Excess(LoopPoints loop, long frames) {
    const CrossfadePlan plan = PlanCrossfade(loop, static_cast<long>(mono_.size()), frames);
    const long window = levels_.Window(), margin = 2 * window, hop = window / 4;
    // The wrap as it plays: up to the crossfade, the crossfade, then on from the loop's start.
    const long first = plan.OutFirst() - margin;
    std::vector<float> played = Excerpt(mono_, first, margin + plan.frames);
    const std::vector<float> in = Excerpt(mono_, plan.InFirst(), plan.frames);
    float* crossfade = played.data() + margin;
    MixCrossfade(crossfade, in.data(), plan.frames, 1, rate_, CrossfadeCurve::kWeighted, crossfade);
    const std::vector<float> after = Excerpt(mono_, plan.parts.start, margin);
    played.insert(played.end(), after.begin(), after.end());
    WindowLevels wrap(levels_, played);
    // Where the wrap plays frame t, the music going out would play the input's frame first + t, the
    // music coming in the frame a loop earlier.
    double excess = -std::numeric_limits<double>::infinity();
    for (long frame = (first + hop - 1) / hop * hop; frame - first + 2 * window <= static_cast<long>(played.size());
         frame += hop) {
      const double own = std::max({input_.Step(frame), input_.Step(frame - plan.parts.Length()), 0.0});
      excess = std::max(excess, wrap.Step(frame - first) - own);
    }
    return excess;
  }

 private:
  const std::vector<float>& mono_;
  const long rate_;
  const MelLevels levels_;
  WindowLevels input_;
};

}  // namespace

CrossfadeLength ChooseCrossfadeLength(const std::vector<float>& mono, long rate, LoopPoints loop) {
  CrossfadeLength chosen;
  chosen.seamRepeats = SeamRepeats(mono, loop);
  if (chosen.seamRepeats) return chosen;
  WrapSteps steps(mono, rate);
  std::vector<CrossfadeLength> ladder;
  for (double seconds = kShortestSeconds; seconds < kLongestSeconds * kLadderStep; seconds *= kLadderStep) {
    const long asked = std::min(std::lround(std::min(seconds, kLongestSeconds) * rate), loop.Length() - 1);
    const long frames = PlanCrossfade(loop, static_cast<long>(mono.size()), asked).frames;
    if (frames > 0 && (ladder.empty() || frames > ladder.back().frames)) {
      ladder.push_back({frames, false, steps.Excess(loop, frames)});
    }
  }
  if (ladder.empty()) return chosen;
  double smoothest = ladder.front().excessDb;
  for (const CrossfadeLength& length : ladder) smoothest = std::min(smoothest, length.excessDb);
  for (const CrossfadeLength& length : ladder) {
    if (length.excessDb <= smoothest + kAsSmoothDb) return length;
  }
  return chosen;
}

double WrapExcessDb(const std::vector<float>& mono, long rate, LoopPoints loop, long frames) {
  return WrapSteps(mono, rate).Excess(loop, frames);
}
