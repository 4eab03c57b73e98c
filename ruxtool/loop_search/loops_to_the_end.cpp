// FindLoopsToTheEnd: the music's last three quarters of a second (and where it fades out, those where
// the fade has taken little off it) looked for earlier in the song on its thinned waveform, each match
// settled to the frame on the waveform itself and kept when it is a copy, then the copy followed back
// from the end as far as it goes; kept where it holds for a second or more. A loop whose end would
// replay its start more quietly ends before the fade.
#include "loop_search/loops_to_the_end.h"

#include <algorithm>
#include <cmath>

#include "loop_search/music_end.h"
#include "loop_search/pattern_match.h"
#include "loop_search/waveform_match.h"
#include "system/stop_request.h"

namespace {

// Shorter than the shortest introduction worth finding, a second, so that its copy is found whole
// whatever the thinning's phase.
constexpr double kPatternSeconds = 0.75;
// Thinned matches worth settling on the waveform, and how many of them.
constexpr double kRoughCorrelation = 0.8;
constexpr size_t kMatchesTried = 16;
// The copy is followed back in steps, each of which may fall a little lower where the music is quiet.
constexpr double kStepSeconds = 0.25;
constexpr double kStepCorrelation = 0.9;
constexpr double kScoreSeconds = 4;
// A loop to the end claims that the music before its start is its end again: a claim worth making
// for an introduction of a second or more. A bar that only ends as another did holds for less.
constexpr double kShortestCopySeconds = 1;
// A replay this much quieter than the music it replays, in dB, is a tail fading out.
constexpr double kQuieterReplay = 6;
constexpr long kSeamWindow = 2048;
// A seam whose windows are at most this unlike plays as the music does: a copy through a lossy coder
// is about 0.01 unlike.
constexpr double kMatchingSeam = 0.03;

struct Copy {
  long lag = 0;
  long end = 0;     // the end of the music looked for
  long frames = 0;  // how far back from there the copy reaches
  double score = 0;
};

long CopiedFrames(const std::vector<float>& mono, long lag, long end, long step) {
  long frames = 0;
  while (end - frames - step - lag >= 0 && Correlation(mono, end - frames - step - lag, lag, step) >= kStepCorrelation) {
    frames += step;
  }
  return frames;
}

// A loop made of shorter loops: the shorter lag fits a whole number of times and its copy runs through
// all of the longer loop.
bool MadeOf(const Copy& longer, const Copy& shorter, long step) {
  return IsWholeNumberOf(longer.lag, shorter.lag) && shorter.frames + step >= longer.lag - shorter.lag;
}

// Lags this close are one repeat, met again a period of a held note later.
bool SameLag(const Copy& a, const Copy& b, long step) { return std::abs(a.lag - b.lag) <= step; }

// The copies, a lag or more earlier, of the music's last moments before end that hold for long
// enough; of lags that are one repeat, the better.
std::vector<Copy> FindCopies(const std::vector<float>& mono, long rate, long end, long minimumFrames) {
  const long pattern = static_cast<long>(kPatternSeconds * rate), reach = rate / 1000;
  const long step = static_cast<long>(kStepSeconds * rate);
  if (end - pattern - minimumFrames < reach) return {};
  std::vector<Copy> copies;
  for (const PatternMatch& match :
       FindPattern(mono, rate, end - pattern, end, end - minimumFrames, kRoughCorrelation, kMatchesTried)) {
    if (StopRequested()) break;
    const long approximate = end - pattern - match.first;
    const long lag = SettleLag(mono, match.first, pattern - reach, approximate, reach).lag;
    double correlation = 0;
    if (lag < minimumFrames || !IsCopyAtAnyLevel(mono, match.first, lag, pattern - reach, step, correlation)) continue;
    const long frames = CopiedFrames(mono, lag, end, step);
    if (frames < kShortestCopySeconds * rate) continue;
    const long scored = std::min(frames, static_cast<long>(kScoreSeconds * rate));
    if (!IsCopyAtAnyLevel(mono, end - scored - lag, lag, scored, step, correlation)) continue;
    const Copy copy{lag, end, frames, correlation};
    const auto same =
        std::find_if(copies.begin(), copies.end(), [&](const Copy& other) { return SameLag(other, copy, step); });
    if (same == copies.end()) {
      copies.push_back(copy);
    } else if (copy.score > same->score) {
      *same = copy;
    }
  }
  return copies;
}

// Whether the copy's end replays the music a lag earlier more quietly, by kQuieterReplay or more: a
// tail fading out, which the loop must not play.
bool QuieterReplay(const std::vector<float>& mono, const Copy& copy, long length) {
  double replay = 0, original = 0;
  for (long frame = copy.end - length; frame < copy.end; ++frame) {
    replay += static_cast<double>(mono[frame]) * mono[frame];
    original += static_cast<double>(mono[frame - copy.lag]) * mono[frame - copy.lag];
  }
  return replay < original * std::pow(10.0, -kQuieterReplay / 10);
}

// The loop of a copy whose end fades out: it ends at the first place in the copy, and so the least
// faded, where its end matches its start, else where within the copy and before the fade it best
// does, so that it plays as little of the fade as it can.
LoopPoints LoopBeforeFade(const std::vector<float>& mono, const MusicEnd& music, const Copy& copy, long step,
                          double meanPower) {
  const long half = kSeamWindow / 2;
  const long copied = copy.end - copy.frames;
  const long from = std::max(copied, copy.lag + half);
  const long to = std::min(std::max(music.fadeStart, copied + step), copy.end - half);
  if (from >= to) return {copy.end - copy.lag, copy.end};
  // The copy, followed in steps, may begin up to a step before the first step that holds.
  for (long first = std::max(copied - step, copy.lag + half); first < copy.end - half; first += kSeamWindow) {
    const long last = std::min(first + kSeamWindow, copy.end - half);
    const SeamPlace seam = PlaceSeam(mono, copy.lag, first - copy.lag, last - copy.lag, kSeamWindow, meanPower);
    if (seam.mismatch <= kMatchingSeam) return {seam.start, seam.start + copy.lag};
  }
  const SeamPlace seam = PlaceSeam(mono, copy.lag, from - copy.lag, to - copy.lag, kSeamWindow, meanPower);
  return {seam.start, seam.start + copy.lag};
}

}  // namespace

std::vector<LoopCandidate> FindLoopsToTheEnd(const std::vector<float>& mono, long rate, long minimumFrames) {
  const MusicEnd music = FindMusicEnd(mono, rate);
  const long step = static_cast<long>(kStepSeconds * rate), pattern = static_cast<long>(kPatternSeconds * rate);
  std::vector<Copy> copies = FindCopies(mono, rate, music.end, minimumFrames);
  if (music.Fades()) {
    // A fade's quietest seconds are coded too roughly to be found again: the music is looked for
    // where the fade has taken little off it too.
    const std::vector<Copy> atTheEnd = copies;
    for (const Copy& copy : FindCopies(mono, rate, music.searchedEnd, minimumFrames)) {
      const auto same = [&](const Copy& other) { return SameLag(other, copy, step); };
      if (std::none_of(atTheEnd.begin(), atTheEnd.end(), same)) copies.push_back(copy);
    }
  }
  std::sort(copies.begin(), copies.end(), [](const Copy& a, const Copy& b) { return a.lag > b.lag; });
  std::stable_partition(copies.begin(), copies.end(), [&](const Copy& longer) {
    const auto madeOf = [&](const Copy& shorter) { return MadeOf(longer, shorter, step); };
    return std::none_of(copies.begin(), copies.end(), madeOf);
  });
  std::vector<LoopCandidate> loops;
  double meanPower = -1;
  for (const Copy& copy : copies) {
    // Within a fade, or where the music's end is the loop's start replayed more quietly, the loop ends
    // before the fade; where the music a loop earlier fades as well, the fade is the loop's own.
    LoopPoints loop{copy.end - copy.lag, copy.end};
    if (copy.end != music.end || QuieterReplay(mono, copy, pattern)) {
      if (meanPower < 0) meanPower = MeanPower(mono);
      loop = LoopBeforeFade(mono, music, copy, step, meanPower);
    }
    loops.push_back({loop, copy.score, LoopKind::kToTheEnd});
  }
  return loops;
}
