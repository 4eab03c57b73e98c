// ChooseCrossfadeLength: the wrap played from the mono mix for each length, its log-mel jumps weighed
// as the join measure weighs them and set against the song's own jumps at the same moments.
#include "making/crossfade_length.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

#include "loop_search/given_loop_check.h"
#include "loop_search/log_mel.h"
#include "making/baked_crossfade.h"

namespace {

constexpr double kShortestSeconds = 0.05;
constexpr double kLongestSeconds = 2;
// Each length of the ladder this much longer than the one before.
constexpr double kLadderStep = 1.41421356237;
// Lengths whose wraps are this much as smooth as the smoothest are as good: about what the measure
// scatters from one length to the next.
constexpr double kAsSmoothDb = 0.5;

// count frames of mono from first on, silence where they lie outside it.
std::vector<float> Excerpt(const std::vector<float>& mono, long first, long count) {
  std::vector<float> excerpt(static_cast<size_t>(count));
  for (long i = 0; i < count; ++i) {
    if (first + i >= 0 && first + i < static_cast<long>(mono.size())) excerpt[i] = mono[first + i];
  }
  return excerpt;
}

// How abrupt the wrap is crossfaded over one length or another. The jumps are taken on one grid of
// the input's frames, so that each length reuses the song's own jumps that the others measured.
class WrapJumps {
 public:
  WrapJumps(const JoinMeasure& join, const std::vector<float>& mono, long rate)
      : join_(join), mono_(mono), rate_(rate) {}

  double Excess(LoopPoints loop, long frames) {
    const CrossfadePlan plan = PlanCrossfade(loop, static_cast<long>(mono_.size()), frames);
    const long window = join_.Window(), margin = 2 * window, hop = window / 4;
    // The wrap as it plays, from the input's frame first: up to the crossfade, the crossfade, then on
    // from the loop's start.
    const long first = plan.OutFirst() - margin;
    std::vector<float> played = Excerpt(mono_, first, margin + plan.frames);
    const std::vector<float> in = Excerpt(mono_, plan.InFirst(), plan.frames);
    float* crossfade = played.data() + margin;
    MixCrossfade(crossfade, in.data(), plan.frames, 1, rate_, CrossfadeCurve::kWeighted, crossfade);
    const std::vector<float> after = Excerpt(mono_, plan.parts.start, margin);
    played.insert(played.end(), after.begin(), after.end());
    const LogMel spectra(played, rate_, window);
    // Where the wrap plays the input's frame, the music going out would play it, and the music coming
    // in the frame a loop earlier.
    double excess = -std::numeric_limits<double>::infinity();
    const long end = first + static_cast<long>(played.size()) - window;
    for (long frame = (first + window + hop - 1) / hop * hop; frame <= end; frame += hop) {
      const double jump = LogMel::Distance(Levels(spectra, frame - first - window), Levels(spectra, frame - first));
      excess = std::max(excess, jump - std::max(OwnJump(frame), OwnJump(frame - plan.parts.Length())));
    }
    return excess;
  }

 private:
  std::vector<float> Levels(const LogMel& spectra, long first) const {
    return LogMel::Levels(spectra.PowersAt(first), join_.Floors());
  }

  // The song's own jump at frame, 0 where the song holds no window on one side of it.
  double OwnJump(long frame) {
    if (frame < join_.Window() || frame + join_.Window() > static_cast<long>(mono_.size())) return 0;
    const auto found = ownJumps_.find(frame);
    return found != ownJumps_.end() ? found->second : ownJumps_[frame] = join_.OwnJump(frame);
  }

  const JoinMeasure& join_;
  const std::vector<float>& mono_;
  const long rate_;
  std::map<long, double> ownJumps_;
};

}  // namespace

CrossfadeLength ChooseCrossfadeLength(const JoinMeasure& join, const std::vector<float>& mono, long rate,
                                      LoopPoints loop) {
  CrossfadeLength chosen;
  chosen.seamRepeats = SeamRepeats(mono, rate, loop);
  if (chosen.seamRepeats) return chosen;
  WrapJumps jumps(join, mono, rate);
  std::vector<CrossfadeLength> ladder;
  for (double seconds = kShortestSeconds; seconds < kLongestSeconds * kLadderStep; seconds *= kLadderStep) {
    const long asked = std::min(std::lround(std::min(seconds, kLongestSeconds) * rate), loop.Length() - 1);
    const long frames = PlanCrossfade(loop, static_cast<long>(mono.size()), asked).frames;
    if (frames > 0 && (ladder.empty() || frames > ladder.back().frames)) {
      ladder.push_back({frames, false, jumps.Excess(loop, frames)});
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

double WrapExcessDb(const JoinMeasure& join, const std::vector<float>& mono, long rate, LoopPoints loop, long frames) {
  return WrapJumps(join, mono, rate).Excess(loop, frames);
}
