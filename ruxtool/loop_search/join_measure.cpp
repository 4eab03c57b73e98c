// JoinMeasure: windows of about 46 ms, each jump between two of them; the song's own jumps at every
// window boundary.
#include "loop_search/join_measure.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "loop_search/fft.h"

namespace {

constexpr double kWindowSeconds = 0.04;
// A band this far below its mean power over the song counts as silent.
constexpr double kFloorDb = -30;

long WindowFor(long rate) { return static_cast<long>(PowerOfTwoAtLeast(static_cast<size_t>(kWindowSeconds * rate))); }

}  // namespace

JoinMeasure::JoinMeasure(const std::vector<float>& mono, long rate)
    : frames_(static_cast<long>(mono.size())), spectra_(mono, rate, WindowFor(rate)) {
  const long window = spectra_.Window();
  std::vector<std::vector<float>> powers;
  for (long first = 0; first + window <= frames_; first += window) powers.push_back(spectra_.PowersAt(first));
  floors_.assign(static_cast<size_t>(spectra_.Bands()), 0.0f);
  for (const std::vector<float>& step : powers) {
    for (size_t band = 0; band < step.size(); ++band) floors_[band] += step[band];
  }
  const double share = std::pow(10, kFloorDb / 10) / std::max<size_t>(1, powers.size());
  // Silence throughout leaves a floor that still keeps the logarithm finite.
  for (float& floor : floors_) floor = static_cast<float>(std::max(floor * share, 1e-20));
  for (size_t i = 1; i < powers.size(); ++i) {
    ownJumps_.push_back(LogMel::Distance(LogMel::Levels(powers[i - 1], floors_), LogMel::Levels(powers[i], floors_)));
  }
  std::sort(ownJumps_.begin(), ownJumps_.end());
}

std::vector<float> JoinMeasure::LevelsAt(long first) const { return LogMel::Levels(spectra_.PowersAt(first), floors_); }

double JoinMeasure::Jump(long end, long start) const {
  return LogMel::Distance(LevelsAt(end - spectra_.Window()), LevelsAt(start));
}

double JoinMeasure::OwnJump(long frame) const { return Jump(frame, frame); }

double JoinMeasure::Percentile(double jumpDb) const {
  if (ownJumps_.empty()) return 50;
  const auto below = std::lower_bound(ownJumps_.begin(), ownJumps_.end(), jumpDb);
  const auto notAbove = std::upper_bound(below, ownJumps_.end(), jumpDb);
  const double smaller = static_cast<double>(below - ownJumps_.begin()) + 0.5 * static_cast<double>(notAbove - below);
  return 100 * smaller / static_cast<double>(ownJumps_.size());
}

JoinFigure JoinMeasure::Measure(LoopPoints loop) const {
  JoinFigure figure;
  figure.jumpDb = Jump(loop.end, loop.start);
  figure.percentile = Percentile(figure.jumpDb);
  // The song's own jump at each point, where the song holds a window on both sides of it.
  const long window = spectra_.Window();
  double own = 0;
  int points = 0;
  for (const long frame : {loop.start, loop.end}) {
    if (frame < window || frame + window > frames_) continue;
    own += OwnJump(frame);
    ++points;
  }
  figure.excessDb = points ? figure.jumpDb - own / points : 0;
  return figure;
}

std::string JoinFigureText(const JoinFigure& figure) {
  char text[64];
  std::snprintf(text, sizeof text, "join at percentile %.0f, excess %+.1f dB", figure.percentile, figure.excessDb);
  return text;
}
