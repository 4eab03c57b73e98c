// JoinJudge: a beat grid at the song's tempo fitted to the onsets of 4 s on each side of the jump (the
// phase of their circular mean), and the harmony across it as the search weighs it.
#include "join_evaluation.h"

#include <algorithm>
#include <cmath>
#include <complex>

#include "loop_search/beat_tracking.h"

namespace {

constexpr double kGridSeconds = 4;
constexpr double kPi = 3.14159265358979323846;

}  // namespace

JoinJudge::JoinJudge(const std::vector<float>& mono, long rate)
    : frames_(static_cast<long>(mono.size())), rate_(rate), measure_(mono, rate), steps_(MeasureSteps(mono, rate)),
      period_(TrackBeats(steps_).period), thinned_(mono, rate, kThinnedMusicRate),
      harmony_(thinned_), ownChanges_(harmony_.OwnChanges()) {}

// The phase, in turns, of the onsets of frames [first, end) on a grid of the song's period from origin.
double JoinJudge::BeatPhase(long first, long end, long origin) const {
  std::complex<double> sum;
  for (long step = std::max(0L, static_cast<long>(std::ceil(steps_.StepOf(first))));
       step < steps_.Steps() && steps_.FrameOf(static_cast<double>(step)) < end; ++step) {
    const double beats = (steps_.FrameOf(static_cast<double>(step)) - origin) / (period_ * steps_.hop);
    sum += static_cast<double>(steps_.onsets[step]) * std::polar(1.0, 2 * kPi * beats);
  }
  return std::arg(sum) / (2 * kPi);
}

JoinJudgement JoinJudge::Judge(LoopPoints loop) const {
  JoinJudgement judgement;
  judgement.figure = measure_.Measure(loop);
  if (period_ > 0) {
    const long grid = static_cast<long>(kGridSeconds * rate_);
    // Played through the jump, the frames before the end and those after the start follow each other.
    const double before = BeatPhase(loop.end - grid, loop.end, loop.end);
    const double after = BeatPhase(loop.start, loop.start + grid, loop.start);
    double error = before - after;
    error -= std::round(error);
    judgement.beatError = std::fabs(error);
  }
  judgement.chromaPercentile = ownChanges_.Percentile(harmony_.Before(loop.end), harmony_.After(loop.start));
  return judgement;
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double SeparationArea(const std::vector<double>& lower, const std::vector<double>& higher) {
  double below = 0;
  for (const double a : lower) {
    for (const double b : higher) below += a < b ? 1 : a == b ? 0.5 : 0;
  }
  return lower.empty() || higher.empty() ? 0 : below / (static_cast<double>(lower.size()) * higher.size());
}
