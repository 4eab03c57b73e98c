// BlockStats fed frame by frame, keeping the two before; the measures of a wrap over its excerpt, with
// blocks laid so that one is centred on the wrap.
#include "report/wrap_measures.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kSampleScale = 1.0 / 32768;
constexpr double kLevelFloor = 1e-3;  // -60 dBFS
constexpr int kNeighbourBlocks = 2;

double MeanSquare(const Excerpt& excerpt, int channels, long from, long to) {
  from = std::max(from, excerpt.first);
  to = std::min(to, excerpt.first + excerpt.Frames(channels));
  if (to <= from) return 0;
  double sum = 0;
  const int16_t* samples = excerpt.At(from, channels);
  for (long i = 0; i < (to - from) * channels; ++i) sum += samples[i] * kSampleScale * (samples[i] * kSampleScale);
  return sum / static_cast<double>((to - from) * channels);
}

double Decibels(double meanSquare) { return 10 * std::log10(std::max(meanSquare, 1e-12)); }

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

BlockStats::BlockStats(int channels, long rate)
    : channels_(channels), block_(std::max(1L, rate / 100)), samples_(static_cast<size_t>(2 * channels)) {}

void BlockStats::Add(const int16_t* frames, long count) {
  samples_.resize(static_cast<size_t>((2 + count) * channels_));
  std::copy(frames, frames + count * channels_, samples_.begin() + 2 * channels_);
  for (long frame = 0; frame < count;) {
    if ((fed_ + frame) % block_ == 0) {
      largestDifference_.push_back(0);
      energy_.push_back(0);
    }
    const long end = std::min(count, frame + block_ - (fed_ + frame) % block_);
    AddToBlock(samples_.data() + 2 * channels_, frame, end);
    frame = end;
  }
  fed_ += count;
  std::copy(samples_.end() - 2 * channels_, samples_.end(), samples_.begin());
}

void BlockStats::AddToBlock(const int16_t* samples, long from, long to) {
  const long stride = channels_;
  int32_t largest = largestDifference_.back();
  int64_t energy = energy_.back();
  for (long i = from * stride; i < to * stride; ++i) energy += samples[i] * samples[i];
  // The stream's first two frames have no second difference.
  for (long i = std::max(from, 2 - fed_) * stride; i < to * stride; ++i) {
    const int32_t difference = samples[i] - 2 * samples[i - stride] + samples[i - 2 * stride];
    const int32_t magnitude = difference < 0 ? -difference : difference;
    largest = largest > magnitude ? largest : magnitude;
  }
  largestDifference_.back() = largest;
  energy_.back() = energy;
}

double BlockStats::Abruptness(long block) const {
  double energy = 0;
  for (long b = block - kNeighbourBlocks; b <= block + kNeighbourBlocks; ++b) {
    energy += static_cast<double>(energy_[static_cast<size_t>(b)]) * kSampleScale * kSampleScale;
  }
  const double level = std::sqrt(energy / static_cast<double>((2 * kNeighbourBlocks + 1) * block_ * channels_));
  return largestDifference_[static_cast<size_t>(block)] * kSampleScale / std::max(level, kLevelFloor);
}

double PercentileAmong(const BlockStats& song, double abruptness) {
  long less = 0, moments = 0;
  for (long block = kNeighbourBlocks; block + kNeighbourBlocks < song.Blocks(); ++block, ++moments) {
    if (song.Abruptness(block) < abruptness) ++less;
  }
  return moments ? 100.0 * static_cast<double>(less) / static_cast<double>(moments) : 0;
}

double AbruptnessAt(const Excerpt& excerpt, int channels, long rate, long frame) {
  BlockStats blocks(channels, rate);
  const long span = (2 * kNeighbourBlocks + 1) * blocks.BlockFrames();
  const long from = std::max(excerpt.first, frame - blocks.BlockFrames() / 2 - kNeighbourBlocks * blocks.BlockFrames());
  const long count = std::min(span, excerpt.first + excerpt.Frames(channels) - from);
  blocks.Add(excerpt.At(from, channels), count);
  // Where the excerpt is too short on a side, the moment is measured from what there is.
  return blocks.Blocks() > 2 * kNeighbourBlocks ? blocks.Abruptness(kNeighbourBlocks) : 0;
}

double LevelDipAt(const Excerpt& excerpt, int channels, long rate, long frame) {
  const long half = rate / 5, step = rate / 10, reach = 3 * rate;
  std::vector<double> around;
  for (long offset = 2 * half; offset + half <= reach; offset += step) {
    for (const long centre : {frame - offset, frame + offset}) {
      if (centre - half < excerpt.first || centre + half > excerpt.first + excerpt.Frames(channels)) continue;
      around.push_back(Decibels(MeanSquare(excerpt, channels, centre - half, centre + half)));
    }
  }
  if (around.empty()) return 0;
  return Median(around) - Decibels(MeanSquare(excerpt, channels, frame - half, frame + half));
}

LevelCurve LevelAround(const Excerpt& excerpt, int channels, long rate, long frame, double seconds) {
  LevelCurve curve;
  curve.hop = rate / 100;
  const long half = rate / 100, reach = static_cast<long>(seconds * rate);
  const long first = std::max(frame - reach, excerpt.first + half);
  const long last = std::min(frame + reach, excerpt.first + excerpt.Frames(channels) - half);
  curve.first = first - frame;
  for (long centre = first; centre <= last; centre += curve.hop) {
    curve.decibels.push_back(Decibels(MeanSquare(excerpt, channels, centre - half, centre + half)));
  }
  return curve;
}
