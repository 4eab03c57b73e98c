// MeasureWrap: the click against the entry into the loop part and the playback's every 1024th frame,
// the level against each side's power under equal-power gains, frame by frame.
#include "seams/wrap_measure.h"

#include <algorithm>
#include <cmath>

#include "seams/seam_measure.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr long kClickReach = 32;
constexpr long kLevelReach = 2048;
constexpr long kTypicalStep = 1024;
// A click is a step this much larger than the music's; less is the lossy coding's scatter.
constexpr double kClickMargin = 1.5;
// A step below a twentieth of the level around it (26 dB down) lies under the lossy coding's own noise,
// which make's seams measure 25 to 30 dB down: in a steady tone, whose own steps are tiny, it is no click.
constexpr double kSmallestClick = 0.05;
// Quieter than this (RMS, -80 dBFS), a channel has no level to click against.
constexpr double kSilentLevel = 1e-4;
constexpr double kDipWindowSeconds = 0.1;

// Interleaved frames, read a channel at a time.
struct Frames {
  const float* samples;
  long count;
  int channels;

  float At(long frame, int channel) const { return samples[frame * channels + channel]; }
  double SecondDifference(long frame, int channel) const {
    return std::fabs(At(frame + 1, channel) - 2.0 * At(frame, channel) + At(frame - 1, channel));
  }
};

double LargestSecondDifference(const Frames& frames, long centre, int channel) {
  double largest = 0;
  for (long frame = std::max(1L, centre - kClickReach); frame < std::min(frames.count - 1, centre + kClickReach);
       ++frame) {
    largest = std::max(largest, frames.SecondDifference(frame, channel));
  }
  return largest;
}

// A channel's click figure: its largest second difference over its level, none where it is silent.
double ClickFigure(double steepest, double level) { return level > kSilentLevel ? steepest / level : 0; }

double ClickAt(const Frames& frames, long centre) {
  const long first = std::max(0L, centre - kLevelReach), end = std::min(frames.count, centre + kLevelReach);
  double click = 0;
  for (int channel = 0; channel < frames.channels && end > first; ++channel) {
    double power = 0;
    for (long frame = first; frame < end; ++frame) power += frames.At(frame, channel) * frames.At(frame, channel);
    const double level = std::sqrt(power / (end - first));
    click = std::max(click, ClickFigure(LargestSecondDifference(frames, centre, channel), level));
  }
  return click;
}

// What the crossfade's frame i would play at if its sides neither added nor cancelled.
double ApartPower(const CrossfadeSides& sides, int channels, long i) {
  const double position = kPi / 2 * (i + 0.5) / sides.frames;
  const double out = std::cos(position), in = std::sin(position);
  double power = 0;
  for (int channel = 0; channel < channels; ++channel) {
    const double a = sides.out[i * channels + channel], b = sides.in[i * channels + channel];
    power += out * out * a * a + in * in * b * b;
  }
  return power;
}

}  // namespace

double LevelDipDb(const PcmAudio& audio, LoopPoints loop, const CrossfadeSides& sides,
                  const std::vector<float>& played) {
  const PlaybackSpan span = WrapSpanOf(audio, loop, sides.frames);
  const std::vector<float> ideal = IdealPlayback(audio, loop, span.first, span.end - span.first);
  const long crossfadeFirst = loop.end - sides.frames - span.first;
  const long window = std::lround(kDipWindowSeconds * audio.rate);
  std::vector<double> expected, heard;
  for (long i = 0; i < span.end - span.first; ++i) {
    double ideally = 0, power = 0;
    for (int channel = 0; channel < audio.channels; ++channel) {
      const double sample = played[i * audio.channels + channel], wanted = ideal[i * audio.channels + channel];
      power += sample * sample;
      ideally += wanted * wanted;
    }
    const long inCrossfade = i - crossfadeFirst;
    expected.push_back(inCrossfade >= 0 && inCrossfade < sides.frames ? ApartPower(sides, audio.channels, inCrossfade)
                                                                      : ideally);
    heard.push_back(power);
  }
  double dip = 0;
  const double silent = kSilentLevel * kSilentLevel * audio.channels * window;
  for (size_t first = 0; first + window <= expected.size(); first += window / 4) {
    double wanted = 0, got = 0;
    for (size_t i = first; i < first + window; ++i) {
      wanted += expected[i];
      got += heard[i];
    }
    if (wanted > silent) dip = std::max(dip, 10 * std::log10(wanted / std::max(got, silent)));
  }
  return dip;
}

ClickMoments::ClickMoments(int channels) : channels_(channels), last_(2 * channels) {}

void ClickMoments::Add(const float* samples, long count) {
  for (long i = 0; i < count; ++i, ++position_) {
    const long block = position_ / kTypicalStep;
    // The second difference at the frame before this one, and the boundary whose reach holds it.
    const long steep = position_ - 1, boundary = (steep + kClickReach) / kTypicalStep;
    const bool nearBoundary = position_ >= 2 && steep + kClickReach - boundary * kTypicalStep < 2 * kClickReach;
    if (static_cast<long>(power_.size()) <= block * channels_) power_.resize((block + 1) * channels_);
    if (nearBoundary && static_cast<long>(steepest_.size()) <= boundary * channels_) {
      steepest_.resize((boundary + 1) * channels_);
    }
    for (int channel = 0; channel < channels_; ++channel) {
      const float sample = samples[i * channels_ + channel];
      float* last = &last_[2 * channel];
      power_[block * channels_ + channel] += sample * sample;
      if (nearBoundary) {
        double& steepest = steepest_[boundary * channels_ + channel];
        steepest = std::max(steepest, std::fabs(sample - 2.0 * last[1] + last[0]));
      }
      last[0] = last[1];
      last[1] = sample;
    }
  }
}

double ClickMoments::Typical() const {
  const long blocks = position_ / kTypicalStep, around = kLevelReach / kTypicalStep;
  std::vector<double> clicks;
  const long boundaries = std::min(blocks - around + 1, static_cast<long>(steepest_.size()) / channels_);
  for (long boundary = around; boundary < boundaries; ++boundary) {
    double click = 0;
    for (int channel = 0; channel < channels_; ++channel) {
      double power = 0;
      for (long block = boundary - around; block < boundary + around; ++block) {
        power += power_[block * channels_ + channel];
      }
      const double level = std::sqrt(power / (2 * kLevelReach));
      click = std::max(click, ClickFigure(steepest_[boundary * channels_ + channel], level));
    }
    if (click > 0) clicks.push_back(click);
  }
  if (clicks.empty()) return 0;
  std::nth_element(clicks.begin(), clicks.begin() + clicks.size() / 2, clicks.end());
  return clicks[clicks.size() / 2];
}

bool WrapFigures::Clicks() const {
  return click > std::max(kSmallestClick, kClickMargin * std::max(musicClick, typicalClick));
}

PlaybackSpan WrapSpanOf(const PcmAudio& audio, LoopPoints loop, long crossfadeFrames) {
  const long reach = std::max(kLevelReach + kClickReach, std::lround(kDipWindowSeconds * audio.rate));
  return {std::max(0L, loop.end - crossfadeFrames - reach), loop.end + std::min(reach, loop.Length())};
}

WrapFigures MeasureWrap(const PcmAudio& audio, LoopPoints loop, const CrossfadeSides& sides,
                        const std::vector<float>& wrap, const PlayedJoin& entry, const ClickMoments& moments) {
  const PlaybackSpan span = WrapSpanOf(audio, loop, sides.frames);
  WrapFigures figures;
  const Frames input{audio.samples.data(), audio.Frames(), audio.channels};
  const long entryFrames = static_cast<long>(entry.frames.size()) / audio.channels;
  figures.click = ClickAt({wrap.data(), span.end - span.first, audio.channels}, loop.end - span.first);
  figures.musicClick = entryFrames ? ClickAt({entry.frames.data(), entryFrames, audio.channels}, entry.partStart)
                                   : ClickAt(input, loop.start);
  figures.typicalClick = moments.Typical();
  figures.crossfaded = sides.frames > 0;
  if (figures.crossfaded) figures.dipDb = LevelDipDb(audio, loop, sides, wrap);
  return figures;
}
