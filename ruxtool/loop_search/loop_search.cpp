// FindLoops: the loops that end with the music, and the lags where the texture repeats, each settled
// on the waveform over a few seconds in the middle of its repeat, with the seam placed where within the
// repeat the music before the loop's start and before its end are most alike; the two kinds merged.
#include "loop_search/loop_search.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "loop_search/join_measure.h"
#include "loop_search/loops_to_the_end.h"
#include "loop_search/music_texture.h"
#include "loop_search/musical_joins.h"
#include "loop_search/repeat_lags.h"
#include "loop_search/waveform_match.h"
#include "system/stop_request.h"

namespace {

constexpr size_t kLagsTried = 16;
constexpr double kSpanSeconds = 4;
// Candidates this much apart in score count as equally good; the shorter loop goes first.
constexpr double kScoreResolution = 0.01;
// A copied section shorter than this share of the song comes after musical joins this many times as
// long: a bar or a phrase written out again inside a song that otherwise never repeats is not a game's
// loop, while a section that carries a real part of the song is.
constexpr long kJoinOverSection = 3;
constexpr long kRealPartOfTheSong = 8;

struct Stretch {
  long first;  // frames
  long end;
};

// The frames of the texture's matched steps, each step holding two hops of frames.
Stretch FramesOf(const RepeatLag& repeat, long hop) { return {repeat.first * hop, (repeat.last + 2) * hop}; }

bool Settle(const std::vector<float>& mono, long rate, long hop, double meanPower, const RepeatLag& repeat,
            LoopCandidate& candidate) {
  const long frames = static_cast<long>(mono.size());
  const long reach = 2 * hop, approximate = repeat.lag * hop;
  const Stretch stretch = FramesOf(repeat, hop);
  long length = std::min<long>(stretch.end - stretch.first, static_cast<long>(kSpanSeconds * rate));
  long from = stretch.first + (stretch.end - stretch.first - length) / 2;
  from = std::max(from, reach - approximate);
  length = std::min(length, frames - from - approximate - reach);
  if (length < hop) return false;
  const LagMatch match = SettleLag(mono, from, length, approximate, reach);
  if (!IsCopy(mono, from, match, length)) return false;
  const long half = hop / 2;
  const long first = std::max(stretch.first, half), end = std::min(stretch.end, frames - match.lag - half);
  if (first >= end) return false;
  const SeamPlace seam = PlaceSeam(mono, match.lag, first, end, hop, meanPower);
  candidate = {{seam.start, seam.start + match.lag}, match.correlation * (1 - std::min(1.0, seam.mismatch)),
               LoopKind::kRepeatedSection};
  return true;
}

bool SameLoop(const LoopCandidate& a, const LoopCandidate& b) {
  return std::abs(a.loop.Length() - b.loop.Length()) <= 4;
}

// Sections written out again, best first.
std::vector<LoopCandidate> FindRepeatedSections(const std::vector<float>& mono, long rate, long minimumFrames) {
  const MusicTexture texture = MeasureTexture(mono, rate);
  const long minimumLag = (minimumFrames + texture.hop - 1) / texture.hop;
  const double meanPower = MeanPower(mono);
  std::vector<LoopCandidate> candidates;
  for (const RepeatLag& repeat : FindRepeatLags(texture, minimumLag, kLagsTried)) {
    if (StopRequested()) break;
    LoopCandidate candidate;
    if (!Settle(mono, rate, texture.hop, meanPower, repeat, candidate) || candidate.loop.Length() < minimumFrames) continue;
    const auto same = std::find_if(candidates.begin(), candidates.end(),
                                   [&](const LoopCandidate& other) { return SameLoop(other, candidate); });
    if (same == candidates.end()) {
      candidates.push_back(candidate);
    } else if (candidate.score > same->score) {
      *same = candidate;
    }
  }
  std::sort(candidates.begin(), candidates.end(), [](const LoopCandidate& a, const LoopCandidate& b) {
    const long scoreA = std::lround(a.score / kScoreResolution), scoreB = std::lround(b.score / kScoreResolution);
    return scoreA != scoreB ? scoreA > scoreB : a.loop.Length() < b.loop.Length();
  });
  std::stable_partition(candidates.begin(), candidates.end(), [&](const LoopCandidate& longer) {
    return std::none_of(candidates.begin(), candidates.end(), [&](const LoopCandidate& shorter) {
      return IsWholeNumberOf(longer.loop.Length(), shorter.loop.Length());
    });
  });
  return candidates;
}

}  // namespace

std::vector<LoopCandidate> FindLoops(const std::vector<float>& mono, long rate, const LoopSearchOptions& options) {
  const long minimumFrames = static_cast<long>(std::ceil(options.minimumSeconds * rate));
  const std::vector<LoopCandidate> toTheEnd = FindLoopsToTheEnd(mono, rate, minimumFrames);
  std::vector<LoopCandidate> sections;
  for (const LoopCandidate& section : FindRepeatedSections(mono, rate, minimumFrames)) {
    const bool known =
        std::any_of(toTheEnd.begin(), toTheEnd.end(), [&](const LoopCandidate& loop) { return SameLoop(loop, section); });
    if (!known) sections.push_back(section);
  }
  // Each kind in its own order; a loop to the end, the shape games ship, goes before a section unless
  // the section's repeat is clearly the better copy.
  std::vector<LoopCandidate> loops;
  auto end = toTheEnd.begin();
  auto section = sections.begin();
  while (loops.size() < options.count && (end != toTheEnd.end() || section != sections.end())) {
    const bool endFirst = section == sections.end() ||
                          (end != toTheEnd.end() && end->score >= section->score - kScoreResolution);
    loops.push_back(endFirst ? *end++ : *section++);
  }
  const JoinMeasure measure(mono, rate);
  for (LoopCandidate& loop : loops) loop.join = measure.Measure(loop.loop);
  const std::vector<LoopCandidate> joins = MusicalJoins(mono, rate, measure).Find(minimumFrames, options.count);
  // Each join goes before the first short section it is several times as long as.
  for (const LoopCandidate& join : joins) {
    const auto shorter = std::find_if(loops.begin(), loops.end(), [&](const LoopCandidate& loop) {
      return loop.kind == LoopKind::kRepeatedSection && kJoinOverSection * loop.loop.Length() <= join.loop.Length() &&
             kRealPartOfTheSong * loop.loop.Length() < static_cast<long>(mono.size());
    });
    loops.insert(shorter, join);
  }
  if (loops.size() > options.count) loops.resize(options.count);
  return loops;
}

std::vector<float> MixToMono(const PcmAudio& audio) {
  PcmAudio mono{1, audio.rate};
  mono.samples.reserve(static_cast<size_t>(audio.Frames()));
  for (long frame = 0; frame < audio.Frames(); ++frame) mono.AppendFrame(audio.Frame(frame), audio.channels);
  return std::move(mono.samples);
}
