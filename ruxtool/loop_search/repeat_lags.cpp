// FindRepeatLags: for every lag, the cosine of each step with the step a lag later, averaged over a
// window of half the lag; a lag's similarity is its best window's. The lags of a repeated section
// stand out from their neighbours; the matched stretch is then followed both ways from the window.
#include "loop_search/repeat_lags.h"

#include <algorithm>

#include "system/stop_request.h"

namespace {

// Below this mean cosine a stretch is music alike, not the same music.
constexpr double kRepeatSimilarity = 0.6;
constexpr long kShortestWindow = 20;
// Steps over which the matched stretch is followed at its ends.
constexpr long kEdgeSteps = 5;

double Cosine(const MusicTexture& texture, long step, long lag) {
  const float* a = texture.Step(step);
  const float* b = texture.Step(step + lag);
  float sum = 0;
  for (int band = 0; band < texture.bands; ++band) sum += a[band] * b[band];
  return sum;
}

long WindowFor(long lag) { return std::max(kShortestWindow, lag / 2); }

// The lag's best window of cosines; similarity 0 when none fits.
RepeatLag BestWindow(const MusicTexture& texture, long lag) {
  RepeatLag best{lag, 0, 0, 0};
  const long window = WindowFor(lag), steps = texture.Steps() - lag;
  if (steps < window) return best;
  std::vector<double> cosines(static_cast<size_t>(steps));
  for (long step = 0; step < steps; ++step) cosines[step] = Cosine(texture, step, lag);
  double sum = 0;
  for (long step = 0; step < steps; ++step) {
    sum += cosines[step];
    if (step >= window) sum -= cosines[step - window];
    if (step >= window - 1 && sum / window > best.similarity) {
      best.similarity = sum / window;
      best.first = step - window + 1;
      best.last = step;
    }
  }
  return best;
}

// The window grown both ways while the cosines near its edges stay those of a repeat.
void FollowStretch(const MusicTexture& texture, RepeatLag& repeat) {
  const long steps = texture.Steps() - repeat.lag;
  const auto holds = [&](long from) {
    double sum = 0;
    for (long step = from; step < from + kEdgeSteps; ++step) sum += Cosine(texture, step, repeat.lag);
    return sum / kEdgeSteps >= kRepeatSimilarity;
  };
  while (repeat.first > 0 && holds(repeat.first - 1)) --repeat.first;
  while (repeat.last + kEdgeSteps < steps && holds(repeat.last + 1)) ++repeat.last;
}

}  // namespace

std::vector<RepeatLag> FindRepeatLags(const MusicTexture& texture, long minimumLag, size_t count) {
  std::vector<RepeatLag> windows;
  for (long lag = std::max(1L, minimumLag); lag + kShortestWindow <= texture.Steps() && !StopRequested(); ++lag) {
    windows.push_back(BestWindow(texture, lag));
  }
  std::vector<RepeatLag> lags;
  for (size_t i = 0; i < windows.size(); ++i) {
    const size_t from = i >= 2 ? i - 2 : 0, to = std::min(windows.size(), i + 3);
    bool peak = windows[i].similarity >= kRepeatSimilarity;
    for (size_t j = from; j < to && peak; ++j) peak = windows[j].similarity <= windows[i].similarity;
    if (peak) lags.push_back(windows[i]);
  }
  std::sort(lags.begin(), lags.end(), [](const RepeatLag& a, const RepeatLag& b) { return a.similarity > b.similarity; });
  if (lags.size() > count) lags.resize(count);
  for (RepeatLag& repeat : lags) FollowStretch(texture, repeat);
  return lags;
}
