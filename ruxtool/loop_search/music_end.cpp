// FindMusicEnd: the silence at the end left out, then the level of the music followed back from its
// end, over 0.4 s windows with its short dips filled, for as long as it keeps rising: a fade-out is
// such a fall of 20 dB or more.
#include "loop_search/music_end.h"

#include <algorithm>
#include <cmath>

namespace {

// Below this a frame is the silence after the music.
constexpr float kSilence = 1e-4f;
// The level is measured over windows of this many hops, a window every hop: long enough to even out
// the beats.
constexpr double kHopSeconds = 0.05;
constexpr long kHopsPerWindow = 8;
// Each level is held at the loudest within this many hops either side, half a second.
constexpr size_t kHold = 10;
// A fade-out takes at least this much off the music, in dB, and on the way its level comes back up
// by no more than kRise: music that only gets quieter for a while comes back up by more.
constexpr double kFadeDepth = 20;
constexpr double kRise = 3;
constexpr double kLongestFadeSeconds = 30;
// Down to here the coder keeps a fade's music close enough to its original to be found again.
constexpr double kSearchedDepth = 12;

// The frame after the music's last, where silence of a hundredth of a second or more follows it.
long EndBeforeSilence(const std::vector<float>& mono, long rate) {
  const long frames = static_cast<long>(mono.size());
  long end = frames;
  while (end > 0 && std::fabs(mono[end - 1]) < kSilence) --end;
  return frames - end >= rate / 100 ? end : frames;
}

// The level in dB of the windows that end a hop apart back from end: the first ends at end.
std::vector<double> LevelsBackFrom(const std::vector<float>& mono, long end, long hop) {
  const long window = kHopsPerWindow * hop;
  const long count = std::min(static_cast<long>(kLongestFadeSeconds / kHopSeconds), (end - window) / hop + 1);
  std::vector<double> hopPower;  // of the hops back from end
  for (long last = end; last - hop >= 0 && static_cast<long>(hopPower.size()) < count + kHopsPerWindow; last -= hop) {
    double power = 0;
    for (long frame = last - hop; frame < last; ++frame) power += static_cast<double>(mono[frame]) * mono[frame];
    hopPower.push_back(power / hop);
  }
  std::vector<double> levels;
  for (long i = 0; i < count; ++i) {
    double power = 0;
    for (long j = i; j < i + kHopsPerWindow; ++j) power += hopPower[j];
    levels.push_back(10 * std::log10(power / kHopsPerWindow + 1e-12));
  }
  return levels;
}

// The loudest of the levels within kHold either side of each: the short dips of a beat or between
// phrases filled, so that what is followed is the music's level, not its rhythm.
std::vector<double> Held(const std::vector<double>& levels) {
  std::vector<double> held(levels.size());
  for (size_t i = 0; i < levels.size(); ++i) {
    const size_t first = i > kHold ? i - kHold : 0, last = std::min(levels.size() - 1, i + kHold);
    held[i] = *std::max_element(levels.begin() + first, levels.begin() + last + 1);
  }
  return held;
}

}  // namespace

MusicEnd FindMusicEnd(const std::vector<float>& mono, long rate) {
  const long end = EndBeforeSilence(mono, rate);
  const MusicEnd unfaded{end, end, end};
  const long hop = std::max(1L, std::lround(kHopSeconds * rate));
  if (end < kHopsPerWindow * hop) return unfaded;
  const std::vector<double> levels = LevelsBackFrom(mono, end, hop);
  const std::vector<double> held = Held(levels);
  size_t loudest = 0;
  for (size_t i = 1; i < held.size() && held[i] >= held[loudest] - kRise; ++i) {
    if (held[i] > held[loudest]) loudest = i;
  }
  if (held[loudest] - levels.front() < kFadeDepth) return unfaded;
  // The first fall past kSearchedDepth on the way to the end, so that a loud moment deep in the fade
  // does not count.
  size_t searched = loudest;
  while (searched > 0 && held[searched - 1] >= held[loudest] - kSearchedDepth) --searched;
  // The fade taken to begin early: where the loudest window the level is held at may begin.
  const long earliest = static_cast<long>(std::min(loudest + kHold, levels.size() - 1));
  return {end, std::max(0L, end - earliest * hop - kHopsPerWindow * hop), end - static_cast<long>(searched) * hop};
}
