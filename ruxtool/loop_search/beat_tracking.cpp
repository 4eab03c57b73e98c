// TrackBeats: the tempo where the onsets' autocorrelation, weighed towards 120 beats a minute, is
// highest; then by dynamic programming the beats that best fall on onsets with gaps near the period
// (Ellis's method), traced back from the song's end.
#include "loop_search/beat_tracking.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kSlowestBeatSeconds = 1.5;
constexpr double kFastestBeatSeconds = 0.25;
// Tempi an octave from 120 beats a minute weigh e^-1/2 as much.
constexpr double kLikelySeconds = 0.5;
// How much a gap between beats off the period costs against the onsets found.
constexpr double kTightness = 100;

double Mean(const std::vector<float>& values) {
  double sum = 0;
  for (float value : values) sum += value;
  return values.empty() ? 0 : sum / static_cast<double>(values.size());
}

// The onsets less their mean, scaled to a standard deviation of 1; deviation: the onsets'.
std::vector<float> Normalised(const std::vector<float>& onsets, double& deviation) {
  const double mean = Mean(onsets);
  double variance = 0;
  for (float onset : onsets) variance += (onset - mean) * (onset - mean);
  deviation = std::sqrt(variance / std::max<size_t>(1, onsets.size()));
  std::vector<float> normalised(onsets.size());
  for (size_t i = 0; i < onsets.size(); ++i) {
    normalised[i] = deviation > 0 ? static_cast<float>((onsets[i] - mean) / deviation) : 0.0f;
  }
  return normalised;
}

double Autocorrelation(const std::vector<float>& values, long lag) {
  double sum = 0;
  for (size_t i = static_cast<size_t>(lag); i < values.size(); ++i) sum += values[i] * values[i - lag];
  return sum;
}

// The period in steps, to a fraction of a step, and its regularity.
void FindTempo(const std::vector<float>& onsets, double stepSeconds, BeatTrack& track) {
  const long shortest = std::max(2L, std::lround(kFastestBeatSeconds / stepSeconds));
  const long longest = std::lround(kSlowestBeatSeconds / stepSeconds);
  if (static_cast<long>(onsets.size()) < 4 * longest) return;
  std::vector<double> correlations(static_cast<size_t>(longest + 2));
  for (long lag = shortest - 1; lag <= longest + 1; ++lag) correlations[lag] = Autocorrelation(onsets, lag);
  long best = 0;
  double bestWeighted = 0;
  for (long lag = shortest; lag <= longest; ++lag) {
    const double octaves = std::log2(lag * stepSeconds / kLikelySeconds);
    const double weighted = correlations[lag] * std::exp(-0.5 * octaves * octaves);
    if (weighted > bestWeighted) {
      bestWeighted = weighted;
      best = lag;
    }
  }
  if (best == 0) return;
  const double before = correlations[best - 1], at = correlations[best], after = correlations[best + 1];
  const double curve = before - 2 * at + after;
  track.period = best + (curve < 0 ? 0.5 * (before - after) / curve : 0);
  track.regularity = at / Autocorrelation(onsets, 0);
}

// A Gaussian of a thirty-second of the period around each onset, so that beats may fall just off it.
std::vector<float> Smoothed(const std::vector<float>& onsets, double period) {
  const double width = std::max(1.0, period / 32);
  const long reach = static_cast<long>(std::ceil(3 * width));
  std::vector<float> kernel;
  for (long i = -reach; i <= reach; ++i) kernel.push_back(static_cast<float>(std::exp(-0.5 * (i / width) * (i / width))));
  const long steps = static_cast<long>(onsets.size());
  std::vector<float> smoothed(onsets.size(), 0.0f);
  for (long step = 0; step < steps; ++step) {
    for (long i = -reach; i <= reach; ++i) {
      if (step + i >= 0 && step + i < steps) smoothed[step] += kernel[i + reach] * onsets[step + i];
    }
  }
  return smoothed;
}

std::vector<long> PlaceBeats(const std::vector<float>& local, double period) {
  const long steps = static_cast<long>(local.size());
  std::vector<double> score(local.size());
  std::vector<long> previous(local.size(), -1);
  const long nearest = std::max(1L, std::lround(period / 2)), farthest = std::lround(2 * period);
  for (long step = 0; step < steps; ++step) {
    double best = -1e300;
    for (long before = step - farthest; before <= step - nearest; ++before) {
      if (before < 0) continue;
      const double off = std::log((step - before) / period);
      const double candidate = score[before] - kTightness * off * off;
      if (candidate > best) {
        best = candidate;
        previous[step] = before;
      }
    }
    score[step] = local[step] + (previous[step] >= 0 ? best : 0);
  }
  // The last beat where the score is highest within the last period.
  long last = std::max(0L, steps - std::lround(period));
  for (long step = last; step < steps; ++step) {
    if (score[step] > score[last]) last = step;
  }
  std::vector<long> beats;
  for (long step = last; step >= 0; step = previous[step]) beats.push_back(step);
  std::reverse(beats.begin(), beats.end());
  return beats;
}

}  // namespace

BeatTrack TrackBeats(const MusicSteps& music) {
  BeatTrack track;
  if (music.Steps() == 0) return track;
  double deviation = 0;
  const std::vector<float> normalised = Normalised(music.onsets, deviation);
  FindTempo(normalised, music.StepSeconds(), track);
  if (track.period <= 0 || deviation <= 0) return track;
  std::vector<float> scaled = music.onsets;
  for (float& value : scaled) value = static_cast<float>(value / deviation);
  track.beats = PlaceBeats(Smoothed(scaled, track.period), track.period);
  return track;
}
