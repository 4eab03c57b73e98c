// CheckGivenLoop: a seam that is already a copy kept; else the loop's length settled on the waveform on
// either side of its start, then its seam placed: the given end or start kept where the seam plays
// there about as well as anywhere within reach of both; the move taken only for a clearly better seam.
#include "loop_search/given_loop_check.h"

#include <algorithm>
#include <cmath>

#include "loop_search/waveform_match.h"

namespace {

// The music compared on each side of the loop's start.
constexpr double kSideSeconds = 1;
constexpr double kShortestSideSeconds = 0.25;
// A length or a seam is clearly better when it leaves at most this share of what the given one leaves
// unmatched; correlations closer than kUnmatchedByRounding differ by rounding, and below
// kInaudibleMismatch a seam's mismatch is lost in what a lossy coder leaves.
constexpr double kClearlyBetter = 0.5;
constexpr double kUnmatchedByRounding = 1e-4;
constexpr double kInaudibleMismatch = 0.02;
// A seam lies where the music repeats when the music on one side of it is this unlike that a loop
// later at most (a correlation of 0.9).
constexpr double kRepeatingSeam = 0.1;
// A short run of frames repeats, lossy coding and all, when it is at most this unlike the frames a
// loop later; it is judged over this many frames at least.
constexpr double kRepeatingRun = 0.3;
constexpr long kShortestRun = 32;
// The mismatch of a seam that cannot be, past either end of the input.
constexpr double kUnusable = 2;
constexpr long kSeamWindow = 2048;

struct Side {
  long first;
  long length;
};

// The frames [first, first + length) on one side of the start that lie in the input, and whose frames a
// length within reach of the loop's later do too.
Side Clipped(long first, long end, long lag, long reach, long frames) {
  first = std::max({first, reach - lag, 0L});
  end = std::min(end, frames - lag - reach);
  return {first, end - first};
}

// Whether a correlation leaves clearly less unmatched than another does: at most half as much, and
// more than rounding's difference.
bool ClearlyBetter(double better, double worse) {
  return 1 - better <= kClearlyBetter * (1 - worse) && better - worse > kUnmatchedByRounding;
}

// The lag nearest the loop's own among those at which the music repeats as well as at the best, to
// rounding: periodic music (steady tones, a drone) repeats alike at every period, and there the
// smallest move is taken. correlations: for the lags within reach of lag.
long NearestBestLag(const std::vector<double>& correlations, long lag, long reach) {
  const double best = *std::max_element(correlations.begin(), correlations.end());
  const auto good = [&](long i) {
    const bool peak = (i == 0 || correlations[i] >= correlations[i - 1]) &&
                      (i == 2 * reach || correlations[i] >= correlations[i + 1]);
    return peak && best - correlations[i] <= kUnmatchedByRounding;
  };
  for (long distance = 0; distance <= reach; ++distance) {
    for (const long i : {reach - distance, reach + distance}) {
      if (good(i)) return lag - reach + i;
    }
  }
  return lag;
}

// False when the music on neither side of the loop's start repeats as a copy within reach of its
// length. Otherwise length is the length at which it repeats best, where that is clearly better than
// at the loop's own, else the loop's own.
bool SettleLength(const std::vector<float>& mono, long rate, LoopPoints loop, long reach, long& length) {
  const long frames = static_cast<long>(mono.size()), side = static_cast<long>(kSideSeconds * rate);
  const long lag = loop.Length();
  double bestCorrelation = 0;
  // Beyond reach of the start, where the music is on one side of it wherever within reach it should be.
  for (const Side span : {Clipped(loop.start - side, loop.start - reach, lag, reach, frames),
                          Clipped(loop.start + reach, loop.start + side, lag, reach, frames)}) {
    if (span.length < kShortestSideSeconds * rate) continue;
    const std::vector<double> correlations = LagCorrelations(mono, span.first, span.length, lag, reach);
    const long best = std::max_element(correlations.begin(), correlations.end()) - correlations.begin();
    const LagMatch match{lag - reach + best, correlations[best]};
    if (!IsCopy(mono, span.first, match, span.length) || match.correlation <= bestCorrelation) continue;
    bestCorrelation = match.correlation;
    length = ClearlyBetter(match.correlation, correlations[reach]) ? NearestBestLag(correlations, lag, reach) : lag;
  }
  return bestCorrelation > 0;
}

// Whether the loop's seam already plays as the music does: on one side of its start, the music is a
// copy of the music a loop later, and at no length within reach clearly a better one.
bool SeamIsCopy(const std::vector<float>& mono, long rate, LoopPoints loop, long reach) {
  const long frames = static_cast<long>(mono.size()), side = static_cast<long>(kSideSeconds * rate);
  const long lag = loop.Length();
  for (const Side span : {Clipped(loop.start - side, loop.start, lag, reach, frames),
                          Clipped(loop.start, loop.start + side, lag, reach, frames)}) {
    if (span.length < kShortestSideSeconds * rate) continue;
    const std::vector<double> correlations = LagCorrelations(mono, span.first, span.length, lag, reach);
    const LagMatch given{lag, correlations[reach]};
    const double best = *std::max_element(correlations.begin(), correlations.end());
    if (IsCopy(mono, span.first, given, span.length) && !ClearlyBetter(best, given.correlation)) return true;
  }
  return false;
}

// How unlike the frames [first, first + length) are to those a lag later, 0 for alike; 1 where they
// do not lie in the input.
double RunMismatch(const std::vector<float>& mono, long first, long length, long lag) {
  if (first < 0 || first + length + lag > static_cast<long>(mono.size())) return 1;
  double energy = 0, difference = 0;
  for (long frame = first; frame < first + length; ++frame) {
    const double a = mono[frame], b = mono[frame + lag];
    energy += a * a + b * b;
    difference += (a - b) * (a - b);
  }
  return energy > 0 ? difference / energy : 0;
}

// How unlike a seam at start plays to the input: the loop's end sounds as what comes before its start,
// or its start as what comes after its end, whichever is closer.
double SeamMismatch(const std::vector<float>& mono, long start, long lag) {
  return std::min(RunMismatch(mono, start - kSeamWindow, kSeamWindow, lag), RunMismatch(mono, start, kSeamWindow, lag));
}

// Of the seam that keeps the given end and the one that keeps the given start, the one to take: the
// end's where the frames between them repeat too, so that both seams play alike; otherwise the one
// whose seam keeps those frames out.
long KeptStart(const std::vector<float>& mono, long keepEnd, long keepStart, long lag) {
  const long first = std::min(keepEnd, keepStart), between = std::abs(keepEnd - keepStart);
  const long around = std::max(0L, kShortestRun - between) / 2;
  if (RunMismatch(mono, first - around, between + 2 * around, lag) <= kRepeatingRun) return keepEnd;
  return SeamMismatch(mono, keepStart, lag) < SeamMismatch(mono, keepEnd, lag) ? keepStart : keepEnd;
}

// Where the music repeats near the given points: the loop as given where nothing does.
LoopPoints MovedLoop(const std::vector<float>& mono, long rate, LoopPoints loop) {
  const long frames = static_cast<long>(mono.size());
  const long reach = std::lround(kLoopPointReachSeconds * rate);
  long length = 0;
  if (!SettleLength(mono, rate, loop, reach, length)) return loop;
  const long keepEnd = loop.end - length, keepStart = loop.start;
  const double endMismatch = keepEnd >= 1 ? SeamMismatch(mono, keepEnd, length) : kUnusable;
  const double startMismatch = keepStart + length <= frames ? SeamMismatch(mono, keepStart, length) : kUnusable;
  if (std::min(endMismatch, startMismatch) <= kRepeatingSeam) {
    const long start = endMismatch == kUnusable     ? keepStart
                       : startMismatch == kUnusable ? keepEnd
                                                    : KeptStart(mono, keepEnd, keepStart, length);
    return {start, start + length};
  }
  // Neither given point lies where the music repeats: both moved, as little as they need.
  const long lowest = std::max(1L, std::max(keepStart, keepEnd) - reach);
  const long highest = std::min(frames - length, std::min(keepStart, keepEnd) + reach);
  for (long distance = 0; distance <= reach; ++distance) {
    for (const long start : {keepStart - distance, keepStart + distance}) {
      if (start >= lowest && start <= highest && SeamMismatch(mono, start, length) <= kRepeatingSeam) {
        return {start, start + length};
      }
    }
  }
  return loop;
}

}  // namespace

LoopPoints CheckGivenLoop(const std::vector<float>& mono, long rate, LoopPoints loop) {
  if (SeamIsCopy(mono, rate, loop, std::lround(kLoopPointReachSeconds * rate))) return loop;
  const LoopPoints moved = MovedLoop(mono, rate, loop);
  const double given = SeamMismatch(mono, loop.start, loop.Length());
  const double better = SeamMismatch(mono, moved.start, moved.Length());
  const bool clearlyWorse = better <= kClearlyBetter * given && given - better >= kInaudibleMismatch;
  return clearlyWorse ? moved : loop;
}

bool SeamRepeats(const std::vector<float>& mono, long rate, LoopPoints loop) {
  return SeamIsCopy(mono, rate, loop, std::lround(kLoopPointReachSeconds * rate)) ||
         SeamMismatch(mono, loop.start, loop.Length()) <= kRepeatingSeam;
}
