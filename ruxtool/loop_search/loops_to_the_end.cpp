// FindLoopsToTheEnd: the music's last three quarters of a second looked for earlier in the song on
// its thinned waveform, each match settled to the frame on the waveform itself and kept when it is a
// copy, then the copy followed back from the end as far as it goes.
#include "loop_search/loops_to_the_end.h"

#include <algorithm>
#include <cmath>

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
// Below this a frame is the silence after the music.
constexpr float kSilence = 1e-4f;

struct Copy {
  long lag = 0;
  long frames = 0;  // how far back from the music's end the copy reaches
  double score = 0;
};

// The frame after the music's last, where silence of a hundredth of a second or more follows it.
long EndOfMusic(const std::vector<float>& mono, long rate) {
  const long frames = static_cast<long>(mono.size());
  long end = frames;
  while (end > 0 && std::fabs(mono[end - 1]) < kSilence) --end;
  return frames - end >= rate / 100 ? end : frames;
}

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

}  // namespace

std::vector<LoopCandidate> FindLoopsToTheEnd(const std::vector<float>& mono, long rate, long minimumFrames) {
  const long end = EndOfMusic(mono, rate);
  const long pattern = static_cast<long>(kPatternSeconds * rate), reach = rate / 1000;
  const long step = static_cast<long>(kStepSeconds * rate);
  if (end - pattern - minimumFrames < reach) return {};
  std::vector<Copy> copies;
  for (const PatternMatch& match :
       FindPattern(mono, rate, end - pattern, end, end - minimumFrames, kRoughCorrelation, kMatchesTried)) {
    if (StopRequested()) break;
    const long approximate = end - pattern - match.first;
    const LagMatch settled = SettleLag(mono, match.first, pattern - reach, approximate, reach);
    if (!IsCopy(mono, match.first, settled, pattern - reach) || settled.lag < minimumFrames) continue;
    const long frames = CopiedFrames(mono, settled.lag, end, step);
    const long scored = std::clamp(frames, pattern - reach, static_cast<long>(kScoreSeconds * rate));
    const Copy copy{settled.lag, frames, Correlation(mono, end - scored - settled.lag, settled.lag, scored)};
    // Lags this close are one repeat, met again a period of a held note later: the better is kept.
    const auto same = std::find_if(copies.begin(), copies.end(),
                                   [&](const Copy& other) { return std::abs(other.lag - copy.lag) <= step; });
    if (same == copies.end()) {
      copies.push_back(copy);
    } else if (copy.score > same->score) {
      *same = copy;
    }
  }
  std::sort(copies.begin(), copies.end(), [](const Copy& a, const Copy& b) { return a.lag > b.lag; });
  std::stable_partition(copies.begin(), copies.end(), [&](const Copy& longer) {
    return std::none_of(copies.begin(), copies.end(), [&](const Copy& shorter) { return MadeOf(longer, shorter, step); });
  });
  std::vector<LoopCandidate> loops;
  for (const Copy& copy : copies) loops.push_back({{end - copy.lag, end}, copy.score, LoopKind::kToTheEnd});
  return loops;
}
