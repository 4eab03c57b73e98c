// MeasureSeam: ratios over every sample of a window, all channels together; IdealPlayback: the
// playback's frames mapped through the loop to the input's.
#include "seams/seam_measure.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int kNearestWindow = 2;
constexpr int kFarthestWindow = 16;
// Keeps a window of exact samples, or of silence, finite.
constexpr double kFloor = 1e-20;

double WindowSnr(const float* ideal, const float* played, long centre, int channels) {
  double signal = 0, noise = 0;
  const long begin = (centre - kSeamWindow / 2) * channels, end = (centre + kSeamWindow / 2) * channels;
  for (long i = begin; i < end; ++i) {
    const double difference = static_cast<double>(played[i]) - ideal[i];
    signal += static_cast<double>(ideal[i]) * ideal[i];
    noise += difference * difference;
  }
  return 10 * std::log10((signal + kFloor) / (noise + kFloor));
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

SeamError MeasureSeam(const float* ideal, const float* played, long frames, int channels, long seam) {
  const auto fits = [frames](long centre) {
    return centre - kSeamWindow / 2 >= 0 && centre + kSeamWindow / 2 <= frames;
  };
  std::vector<double> body;
  for (int distance = kNearestWindow; distance <= kFarthestWindow; ++distance) {
    for (const long centre : {seam - distance * kSeamWindow, seam + distance * kSeamWindow}) {
      if (fits(centre)) body.push_back(WindowSnr(ideal, played, centre, channels));
    }
  }
  SeamError error;
  error.measured = fits(seam) && !body.empty();
  if (!error.measured) return error;
  error.seamSnr = WindowSnr(ideal, played, seam, channels);
  error.bodySnr = Median(body);
  return error;
}

std::vector<float> IdealPlayback(const PcmAudio& audio, LoopPoints loop, long first, long count) {
  std::vector<float> ideal;
  for (long frame = first; frame < first + count; ++frame) {
    const long source = frame < loop.start ? frame : loop.start + (frame - loop.start) % loop.Length();
    ideal.insert(ideal.end(), audio.Frame(source), audio.Frame(source) + audio.channels);
  }
  return ideal;
}
