// MusicalJoins: every pair of beats at the same place in the bar scored by how alike the bar or two
// after the start are to those after the end, and the bar or two before the end to those before the
// start (harmony weighted far above sound, the level within half a decibel); the pairs whose harmony
// goes on across the jump refined, longest first, to the frame by the join measure itself, within a
// few sixty-fourths of a beat of where a first guess found the jump smallest.
#include "loop_search/musical_joins.h"

#include <algorithm>
#include <cmath>
#include <complex>

#include "loop_search/log_mel.h"
#include "loop_search/music_steps.h"
#include "system/stop_request.h"

namespace {

// A beat grid is fitted to the onsets of this long on each side of a point.
constexpr double kGridSeconds = 4;
// A beat out of step by a tenth of a beat costs as much as harmony with a fifth unlike.
constexpr double kBeatWeight = 2;
// In refining a join, a beat out of step by a tenth costs as much as a jump 2 dB larger.
constexpr double kBeatErrorDb = 20;
// Points given more out of step than this come after every join in step.
constexpr double kInStep = 0.1;
constexpr double kOutOfStep = 1000;
// Below this the onsets do not repeat at a beat's period: noise, or music without a beat, whose beats
// are only a grid to compare it on.
constexpr double kRegularBeat = 0.1;
// Music without a beat is told from noise by its harmony: the strongest pitch class of a beat's chroma
// (of unit length) is 0.6 or more in music, about 0.35 in noise, whose chroma is flat.
constexpr double kTonalPeak = 0.5;
constexpr long kFewestBars = 4;
// A beat's sound weighs this much against its harmony, per median change from beat to beat, and its
// level this much per decibel past half a decibel.
constexpr double kTimbreWeight = 0.1;
constexpr double kLevelWeight = 0.1;
constexpr double kLevelSlackDb = 0.5;
// Where a beat lies outside the song, as far from any other as two beats can be.
constexpr double kMissingBeat = 1.5;
// Of the two sides of a join, the nearer to a match counts this much, the other the rest.
constexpr double kBetterSide = 0.8;
// The harmony across the jump, the beat before the end against the beat at the start, weighs this much
// beside the two sides.
constexpr double kAcrossWeight = 1;
// A pair whose start begins no bar costs this much more.
constexpr double kOffTheBar = 1.1;
// The body: from the first bar to the last that play within this of the song's usual level, with
// onsets at least this share of the usual. A body plays softly and loudly in turn: its soft bars are
// within 8 dB of the usual, an introduction's opening or an ending's ring-out further below.
constexpr double kBodyDb = 8;
constexpr double kUsualLevelShare = 0.6;
constexpr double kBodyOnsets = 0.3;
// A song whose level falls this much over its last bars, bar after bar, fades out.
constexpr double kFadeDb = 10;
constexpr double kHeardAgainShare = 0.9;
// The body never starts in the song's first bars: an introduction whose harmony and sound come back
// in the body is told only by its place.
constexpr long kOpeningBars = 2;
// The pairs refined: those whose harmony across the jump changes no more than the song's own does at
// this percentile of its moments, longest first, until one joins as smoothly as the song's typical
// moment; and the smoothest few by the first guess at the join. A first guess is no filter: on a coarse
// grid it misses the frames where refining finds the long joins smooth.
constexpr double kHarmonyPercentile = 75;
constexpr size_t kSmoothestRefined = 4;
constexpr double kTypicalPercentile = 50;
// Where none of the longest this many joins as smoothly, the longest that joins no more abruptly than
// this; the search goes on, at most this far, only until one does; where none does, the smoothest of
// those long ones: a game plays a long loop with a rough join, crossfaded, before a few bars over and
// over.
constexpr size_t kLongestRefined = 48;
constexpr size_t kMostRefined = 256;
constexpr double kPassablePercentile = 70;
// Steps of a beat in which joins are refined.
constexpr long kRefiningSteps = 64;
// A shorter join is listed after the first where its percentile is this much lower.
constexpr double kClearlySmoother = 10;
constexpr size_t kNearRefined = 12;

double Percentile(std::vector<double> values, double share) {
  if (values.empty()) return 0;
  const size_t at = std::min(values.size() - 1, static_cast<size_t>(share * static_cast<double>(values.size())));
  std::nth_element(values.begin(), values.begin() + static_cast<long>(at), values.end());
  return values[at];
}

bool SameJoin(const LoopCandidate& a, const LoopCandidate& b, long apart) {
  return std::abs(a.loop.start - b.loop.start) < apart && std::abs(a.loop.end - b.loop.end) < apart;
}

}  // namespace

MusicalJoins::MusicalJoins(const std::vector<float>& mono, long rate, const JoinMeasure& measure)
    : frames_(static_cast<long>(mono.size())), rate_(rate), measure_(measure), steps_(MeasureSteps(mono, rate)) {
  const BeatTrack track = TrackBeats(steps_);
  periodFrames_ = track.period * steps_.hop;
  regularity_ = track.regularity;
  beats_ = DescribeBeats(mono, rate, steps_, track);
  // Only the onsets are needed from here on.
  steps_.levels = std::vector<float>();
  const long grid = static_cast<long>(kGridSeconds * rate);
  for (const long frame : beats_.frames) {
    phaseBefore_.push_back(Phase(frame - grid, frame, frame));
    phaseAfter_.push_back(Phase(frame, frame + grid, frame));
  }
  std::vector<double> changes;
  for (long beat = 1; beat < beats_.Beats(); ++beat) {
    changes.push_back(LogMel::Distance(std::vector<float>(beats_.Timbre(beat - 1), beats_.Timbre(beat)),
                                       std::vector<float>(beats_.Timbre(beat), beats_.Timbre(beat) + beats_.bands)));
  }
  timbreScale_ = std::max(0.1, Percentile(changes, 0.5));
  tonal_ = beats_.chromaPeak >= kTonalPeak;
  FindBody();
}

void MusicalJoins::FindBody() {
  const long beats = beats_.Beats(), bar = beats_.beatsPerBar;
  if (beats < kFewestBars * bar) return;
  const float loudest = *std::max_element(beats_.levels.begin(), beats_.levels.end());
  std::vector<double> heard, onsets;
  for (long beat = 0; beat < beats; ++beat) {
    if (beats_.levels[beat] > loudest - 60) heard.push_back(beats_.levels[beat]);
    onsets.push_back(beats_.onsets[beat]);
  }
  const double usual = Percentile(heard, kUsualLevelShare), usualOnset = Percentile(onsets, 0.5);
  // Whether the bar of beats [first, first + bar) plays as the body does.
  const auto inBody = [&](long first) {
    double level = 0, onset = 0;
    for (long beat = first; beat < first + bar; ++beat) {
      level += beats_.levels[beat] / bar;
      onset += beats_.onsets[beat] / bar;
    }
    return level >= usual - kBodyDb && onset >= kBodyOnsets * usualOnset;
  };
  bodyStart_ = 0;
  while (bodyStart_ + bar <= beats && !inBody(bodyStart_)) ++bodyStart_;
  bodyEnd_ = std::min(beats - 1, FadeStart());
  while (bodyEnd_ - bar >= 0 && !inBody(bodyEnd_ - bar)) --bodyEnd_;
  if (bodyEnd_ - bar < 0) bodyEnd_ = -1;
  SkipIntroduction();
}

// The introduction: the bars at the body's start whose music is not heard elsewhere in it. A bar's two
// bars are heard elsewhere where they match two other bars of the body, two bars away at least, as
// closely as kHeardAgainShare of the body's bars match their best: a song that repeats closely holds
// bars of its body that vary a little, and a median would count those to the introduction.
void MusicalJoins::SkipIntroduction() {
  const long bar = beats_.beatsPerBar;
  std::vector<long> bars;
  for (long beat = bodyStart_; beat + 2 * bar <= bodyEnd_; ++beat) {
    if (beats_.StartsBar(beat)) bars.push_back(beat);
  }
  std::vector<double> heardAgain;
  for (const long first : bars) {
    double best = kMissingBeat;
    for (const long other : bars) {
      if (std::abs(other - first) >= 2 * bar) best = std::min(best, Side(first, other, 1));
    }
    heardAgain.push_back(best);
  }
  const double typical = Percentile(heardAgain, kHeardAgainShare);
  for (size_t i = 0; i < bars.size(); ++i) {
    if (heardAgain[i] <= typical && bars[i] >= beats_.downbeat + kOpeningBars * bar) {
      bodyStart_ = bars[i];
      return;
    }
  }
}

// The first beat of the bars at the song's end whose level only falls, bar after bar, by kFadeDb or
// more in all: a fade-out, or the last chord ringing out. The song's last beat where there is none.
long MusicalJoins::FadeStart() const {
  const long beats = beats_.Beats(), bar = beats_.beatsPerBar;
  const auto level = [&](long first) {
    double power = 0;
    for (long beat = first; beat < first + bar; ++beat) power += std::pow(10, beats_.levels[beat] / 10);
    return 10 * std::log10(power / bar + 1e-30);
  };
  long first = beats_.downbeat + (beats - bar - beats_.downbeat) / bar * bar;
  if (first < 0) return beats - 1;
  const double last = level(first);
  while (first - bar >= 0 && level(first - bar) >= level(first) - kLevelSlackDb / 2) first -= bar;
  return level(first) - last >= kFadeDb ? first : beats - 1;
}

// The phase, in beats from -0.5 to 0.5, of the onsets of frames [first, end) on a grid of beats from
// origin: the argument of their circular mean.
double MusicalJoins::Phase(long first, long end, long origin) const {
  std::complex<double> sum;
  const double turn = 2 * 3.14159265358979323846;
  for (long step = std::max(0L, static_cast<long>(std::ceil(steps_.StepOf(first))));
       step < steps_.Steps() && steps_.FrameOf(static_cast<double>(step)) < end; ++step) {
    const double beats = (steps_.FrameOf(static_cast<double>(step)) - origin) / periodFrames_;
    sum += static_cast<double>(steps_.onsets[step]) * std::polar(1.0, turn * beats);
  }
  return std::arg(sum) / turn;
}

// How far out of step, in beats, the grid of the onsets before the beat end is with that of the onsets
// after the beat start, as the game plays them across the jump.
double MusicalJoins::BeatError(long start, long end) const {
  if (!HasBeat()) return 0;
  const double error = phaseBefore_[end] - phaseAfter_[start];
  return error - std::round(error);
}

bool MusicalJoins::IsMusic() const {
  return (regularity_ >= kRegularBeat || tonal_) && bodyEnd_ - bodyStart_ >= kFewestBars * beats_.beatsPerBar;
}

bool MusicalJoins::HasBeat() const { return regularity_ >= kRegularBeat && IsMusic(); }

double MusicalJoins::BeatDistance(long a, long b) const {
  const long beats = beats_.Beats();
  if (a < 0 || b < 0 || a >= beats || b >= beats) return kMissingBeat;
  const float* timbreA = beats_.Timbre(a);
  const float* timbreB = beats_.Timbre(b);
  double timbre = 0;
  for (int band = 0; band < beats_.bands; ++band) timbre += std::fabs(timbreA[band] - timbreB[band]);
  timbre /= beats_.bands * timbreScale_;
  const double level = std::max(0.0, std::fabs(beats_.levels[a] - beats_.levels[b]) - kLevelSlackDb);
  return ChromaMeter::Distance(beats_.chroma[a], beats_.chroma[b]) + kTimbreWeight * timbre + kLevelWeight * level;
}

// The beats from a and from b on (direction 1), or back (-1), compared: the first bar fully, the
// second half as much.
double MusicalJoins::Side(long a, long b, long direction) const {
  const long bar = beats_.beatsPerBar;
  double sum = 0, weights = 0;
  for (long k = 0; k < 2 * bar; ++k) {
    const double weight = k < bar ? 1 : 0.5;
    sum += weight * BeatDistance(a + direction * k, b + direction * k);
    weights += weight;
  }
  return sum / weights;
}

// A jump from the beat end back to the beat start: what plays after the jump (from start on) against
// what would have (from end on), and what played before it (up to end) against what leads into start;
// the harmony across the jump; the beat's grids on each side.
double MusicalJoins::Cost(long start, long end) const {
  const double after = Side(start, end, 1), before = Side(start - 1, end - 1, -1);
  const double across = ChromaMeter::Distance(beats_.chroma[end - 1], beats_.chroma[start]);
  const double cost = kBetterSide * std::min(after, before) + (1 - kBetterSide) * std::max(after, before) +
                      kAcrossWeight * across + kBeatWeight * std::fabs(BeatError(start, end));
  return beats_.StartsBar(start) ? cost : kOffTheBar * cost;
}

LoopCandidate MusicalJoins::Measured(LoopPoints loop) const {
  LoopCandidate candidate{loop, 0, LoopKind::kMusicalJoin, measure_.Measure(loop)};
  candidate.score = 1 - candidate.join.percentile / 100;
  return candidate;
}

// Near the pair's first guess, and within the bounds, the frames where the jump is smallest and the
// beat most in step: both points may move together by up to a sixteenth of a beat, which keeps the
// loop's length and so the beat, and apart by up to a thirty-second, which moves the grid after the
// jump.
LoopCandidate MusicalJoins::Refined(const Pair& pair, long lowestStart, long highestStart, long lowestEnd,
                                    long highestEnd) const {
  const double sixteenth = periodFrames_ / 16;
  const long start = beats_.frames[pair.start] + std::lround(pair.startShift * sixteenth);
  const long end = beats_.frames[pair.end] + std::lround(pair.endShift * sixteenth);
  const double error = BeatError(pair.start, pair.end) - (pair.endShift - pair.startShift) / 16.0;
  const long step = std::max(1L, std::lround(periodFrames_ / kRefiningSteps));
  const long together = kRefiningSteps / 16, apart = kRefiningSteps / 32;
  std::vector<std::vector<float>> after, before;
  for (long offset = -together - apart; offset <= together + apart; ++offset) {
    after.push_back(measure_.After(start + offset * step));
    before.push_back(measure_.Before(end + offset * step));
  }
  LoopPoints best{std::clamp(start, lowestStart, highestStart), std::clamp(end, lowestEnd, highestEnd)};
  double smallest = 1e300;
  for (long i = 0; i < static_cast<long>(after.size()); ++i) {
    const long first = start + (i - together - apart) * step;
    for (long j = std::max(0L, i - apart); j <= std::min<long>(static_cast<long>(before.size()) - 1, i + apart); ++j) {
      const long last = end + (j - together - apart) * step;
      if (first < lowestStart || first > highestStart || last < lowestEnd || last > highestEnd) continue;
      const double moved = error - static_cast<double>(last - end - (first - start)) / periodFrames_;
      const double jump = LogMel::Distance(before[j], after[i]) + kBeatErrorDb * std::fabs(moved);
      if (jump < smallest) {
        smallest = jump;
        best = {first, last};
      }
    }
  }
  return Measured(best);
}

std::vector<LoopCandidate> MusicalJoins::Find(long minimumFrames, size_t count) const {
  if (!IsMusic()) return {};
  const std::vector<Pair> pairs = BodyPairs(minimumFrames);
  if (pairs.empty()) return {};
  std::vector<Pair> chosen;
  for (const Pair& pair : pairs) {
    if (pair.harmony <= kHarmonyPercentile) chosen.push_back(pair);
  }
  if (chosen.empty()) chosen = pairs;
  // Longest first in beats; of those as long, the cheaper.
  std::sort(chosen.begin(), chosen.end(), [](const Pair& a, const Pair& b) {
    return a.end - a.start != b.end - b.start ? a.end - a.start > b.end - b.start : a.cost < b.cost;
  });
  const auto refine = [&](const Pair& pair) { return Refined(pair, 1, frames_, 1, frames_); };
  std::vector<LoopCandidate> refined;
  bool typical = false, passable = false;
  for (size_t i = 0; i < chosen.size() && i < kMostRefined && !typical && !(passable && i >= kLongestRefined); ++i) {
    refined.push_back(refine(chosen[i]));
    typical = refined.back().join.percentile <= kTypicalPercentile;
    passable = passable || refined.back().join.percentile <= kPassablePercentile;
  }
  const auto firstPassable = std::find_if(refined.begin(), refined.end(), [](const LoopCandidate& join) {
    return join.join.percentile <= kPassablePercentile;
  });
  const auto smoothest = [](const LoopCandidate& a, const LoopCandidate& b) { return a.join.percentile < b.join.percentile; };
  const LoopCandidate first = typical    ? refined.back()
                              : passable ? *firstPassable
                                         : *std::min_element(refined.begin(), refined.end(), smoothest);
  std::sort(chosen.begin(), chosen.end(), [](const Pair& a, const Pair& b) { return a.percentile < b.percentile; });
  for (size_t i = 0; i < chosen.size() && i < kSmoothestRefined; ++i) refined.push_back(refine(chosen[i]));
  std::vector<LoopCandidate> joins{first};
  std::sort(refined.begin(), refined.end(), [](const LoopCandidate& a, const LoopCandidate& b) {
    return a.loop.Length() > b.loop.Length();
  });
  const long apart = std::lround(periodFrames_ / 2);
  for (const LoopCandidate& join : refined) {
    if (joins.size() >= count) break;
    const bool known = std::any_of(joins.begin(), joins.end(), [&](const LoopCandidate& other) { return SameJoin(join, other, apart); });
    if (!known && join.join.percentile <= first.join.percentile - kClearlySmoother) joins.push_back(join);
  }
  return joins;
}

// Every pair of beats at the same place in the bar in the body a loop of at least minimumFrames apart
// (of bar lines alone where the bars stand out clearly), with its cost, the change of harmony across
// its jump and, as a first guess at its join, the percentile of the smallest jump between points a
// sixteenth of a beat either side of the beats, the beat out of step weighed in as in refining, and
// where that guess found it.
std::vector<MusicalJoins::Pair> MusicalJoins::BodyPairs(long minimumFrames) const {
  // Entries of places this far apart lie a whole number of bars apart.
  const size_t apart = beats_.clearBars ? 1 : static_cast<size_t>(beats_.beatsPerBar);
  std::vector<long> places;
  for (long beat = std::max(bodyStart_, 1L); beat <= bodyEnd_; ++beat) {
    if (!beats_.clearBars || beats_.StartsBar(beat)) places.push_back(beat);
  }
  const double shift = periodFrames_ / 16;
  std::vector<std::vector<std::vector<float>>> after(places.size()), before(places.size());
  for (size_t place = 0; place < places.size(); ++place) {
    for (int offset = -1; offset <= 1; ++offset) {
      after[place].push_back(measure_.After(beats_.frames[places[place]] + std::lround(offset * shift)));
      before[place].push_back(measure_.Before(beats_.frames[places[place]] + std::lround(offset * shift)));
    }
  }
  std::vector<Pair> pairs;
  for (size_t first = 0; first < places.size() && !StopRequested(); ++first) {
    for (size_t last = first + apart; last < places.size(); last += apart) {
      const long start = places[first], end = places[last];
      if (beats_.frames[end] - beats_.frames[start] < minimumFrames) continue;
      const double error = BeatError(start, end);
      double best = 1e300, jump = 0;
      int startShift = 0, endShift = 0;
      // The two points move by at most a sixteenth of a beat apart, as in refining.
      for (int i = -1; i <= 1; ++i) {
        for (int j = std::max(-1, i - 1); j <= std::min(1, i + 1); ++j) {
          const double distance = LogMel::Distance(before[last][j + 1], after[first][i + 1]);
          const double weighed = distance + kBeatErrorDb * std::fabs(error - (j - i) / 16.0);
          if (weighed < best) {
            best = weighed;
            jump = distance;
            startShift = i;
            endShift = j;
          }
        }
      }
      pairs.push_back({start, end, Cost(start, end), measure_.Percentile(jump), beats_.HarmonyPercentile(start, end),
                       startShift, endShift});
    }
  }
  return pairs;
}

std::vector<LoopCandidate> MusicalJoins::Near(LoopPoints given, long reach, size_t count) const {
  const long lowestStart = std::max(1L, given.start - reach), highestStart = given.start + reach;
  const long lowestEnd = given.end - reach, highestEnd = std::min(frames_, given.end + reach);
  std::vector<LoopCandidate> joins{Measured(given)};
  if (IsMusic()) {
    std::vector<Pair> pairs;
    for (long start = 0; start < beats_.Beats(); ++start) {
      if (beats_.frames[start] < lowestStart || beats_.frames[start] > highestStart) continue;
      for (long end = start + beats_.beatsPerBar; end < beats_.Beats(); end += beats_.beatsPerBar) {
        if (beats_.frames[end] >= lowestEnd && beats_.frames[end] <= highestEnd) pairs.push_back({start, end, Cost(start, end), 0, 0, 0, 0});
      }
    }
    // Bar lines first, where there are any within reach.
    const auto onBar = [&](const Pair& pair) { return beats_.StartsBar(pair.start); };
    if (std::any_of(pairs.begin(), pairs.end(), onBar)) pairs.erase(std::remove_if(pairs.begin(), pairs.end(), [&](const Pair& pair) { return !onBar(pair); }), pairs.end());
    std::sort(pairs.begin(), pairs.end(), [](const Pair& a, const Pair& b) { return a.cost < b.cost; });
    for (size_t i = 0; i < pairs.size() && i < kNearRefined; ++i) {
      joins.push_back(Refined(pairs[i], lowestStart, highestStart, lowestEnd, highestEnd));
    }
  }
  // Joins in step with the beat first; then the jump, and the beat out of step as refining weighs it.
  const auto badness = [&](const LoopCandidate& join) {
    const double error = BeatError(join.loop);
    return (error > kInStep ? kOutOfStep : 0) + join.join.jumpDb + kBeatErrorDb * error;
  };
  std::vector<std::pair<double, LoopCandidate>> ranked;
  for (const LoopCandidate& join : joins) ranked.push_back({badness(join), join});
  std::sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  joins.clear();
  for (const auto& join : ranked) joins.push_back(join.second);
  std::vector<LoopCandidate> distinct;
  const long apart = std::max(1L, std::lround(periodFrames_ / 2));
  for (const LoopCandidate& join : joins) {
    if (distinct.size() >= count) break;
    if (std::none_of(distinct.begin(), distinct.end(), [&](const LoopCandidate& other) { return SameJoin(join, other, apart); })) {
      distinct.push_back(join);
    }
  }
  return distinct;
}

double MusicalJoins::BeatError(LoopPoints loop) const {
  if (!HasBeat()) return 0;
  const long grid = std::lround(kGridSeconds * rate_);
  const double error = Phase(loop.end - grid, loop.end, loop.end) - Phase(loop.start, loop.start + grid, loop.start);
  return std::fabs(error - std::round(error));
}

bool MusicalJoins::OnDownbeat(long frame) const {
  const auto after = std::lower_bound(beats_.frames.begin(), beats_.frames.end(), frame);
  const long near = std::lround(periodFrames_ * 3 / 32) + 1;
  for (auto beat = after == beats_.frames.begin() ? after : after - 1; beat != beats_.frames.end() && beat <= after; ++beat) {
    if (std::abs(*beat - frame) <= near) return beats_.StartsBar(beat - beats_.frames.begin());
  }
  return false;
}
