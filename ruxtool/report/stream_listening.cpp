// StreamListening: what the player hears first goes to the loudness meter, the envelope and the
// song's moments as it arrives; the excerpts are cut from the frames that pass; the wrap is measured
// from its excerpt at the end.
#include "report/stream_listening.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

constexpr long kEnvelopeColumns = 1200;
constexpr double kLevelSeconds = 3;

}  // namespace

void StreamListening::Begin(const PlaybackLayout& layout) {
  heard_ = HeardStream();
  heard_.layout = layout;
  position_ = 0;
  const long loopEnd = heard_.LoopEnd();
  heard_.wrap.first = heard_.ExcerptFirst(loopEnd);
  wrapEnd_ = heard_.ExcerptEnd(loopEnd);
  entryEnd_ = 0;
  if (layout.introFrames > 0) {
    heard_.entry.first = heard_.ExcerptFirst(layout.introFrames);
    entryEnd_ = heard_.ExcerptEnd(layout.introFrames);
  }
  wanted_ = wrapEnd_;
  meter_ = std::make_unique<LoudnessMeter>(layout.channels, layout.rate);
  if (!meter_->Ready()) heard_.problem = "libebur128 cannot measure its channels and rate";
  blocks_ = std::make_unique<BlockStats>(layout.channels, layout.rate);
  const long columns = std::min(kEnvelopeColumns, loopEnd);
  heard_.envelopeLow.assign(static_cast<size_t>(columns), 0.0f);
  heard_.envelopeHigh.assign(static_cast<size_t>(columns), 0.0f);
}

void StreamListening::Hear(const char* pcm, size_t bytes) {
  const int channels = heard_.layout.channels;
  const long count = static_cast<long>(bytes / (2 * static_cast<size_t>(channels)));
  const long heardFirst = std::min(count, heard_.LoopEnd() - position_);
  if (heardFirst > 0) {
    // The buffer's bytes may lie at any address.
    samples_.resize(static_cast<size_t>(heardFirst * channels));
    std::memcpy(samples_.data(), pcm, samples_.size() * 2);
    HearFirst(samples_.data(), position_, heardFirst);
  }
  Take(heard_.wrap, wrapEnd_, pcm, position_, count, channels);
  Take(heard_.entry, entryEnd_, pcm, position_, count, channels);
  position_ += count;
}

void StreamListening::HearFirst(const int16_t* frames, long first, long count) {
  const int channels = heard_.layout.channels;
  floats_.resize(static_cast<size_t>(count * channels));
  for (size_t i = 0; i < floats_.size(); ++i) floats_[i] = frames[i] / 32768.0f;
  if (meter_->Ready() && !meter_->Add(floats_.data(), count)) heard_.problem = "libebur128 ran out of memory";
  blocks_->Add(frames, count);
  // The envelope a column at a time: the frames of each lie together.
  const int64_t columns = static_cast<int64_t>(heard_.envelopeLow.size()), frameCount = heard_.LoopEnd();
  for (long frame = 0; frame < count;) {
    const int64_t column = static_cast<int64_t>(first + frame) * columns / frameCount;
    const long end =
        std::min<long>(count, static_cast<long>(((column + 1) * frameCount + columns - 1) / columns) - first);
    int16_t low = 0, high = 0;
    for (long i = frame * channels; i < end * channels; ++i) {
      low = frames[i] < low ? frames[i] : low;
      high = frames[i] > high ? frames[i] : high;
    }
    float& lowest = heard_.envelopeLow[static_cast<size_t>(column)];
    float& highest = heard_.envelopeHigh[static_cast<size_t>(column)];
    lowest = std::min(lowest, low / 32768.0f);
    highest = std::max(highest, high / 32768.0f);
    frame = end;
  }
}

void StreamListening::Take(Excerpt& excerpt, long end, const char* pcm, long first, long count, int channels) {
  const long from = std::max(first, excerpt.first), to = std::min(first + count, end);
  if (to <= from) return;
  const size_t frameBytes = 2 * static_cast<size_t>(channels);
  excerpt.pcm.append(pcm + static_cast<size_t>(from - first) * frameBytes, static_cast<size_t>(to - from) * frameBytes);
}

HeardStream StreamListening::Result() {
  if (heard_.problem.empty() && position_ < wanted_) {
    heard_.problem =
        "it played " + std::to_string(position_) + " frames, not the " + std::to_string(wanted_) + " wanted";
  }
  if (!heard_.problem.empty()) return std::move(heard_);
  const PlaybackLayout& layout = heard_.layout;
  heard_.loudness = meter_->Result();
  heard_.wrapAbruptness = AbruptnessAt(heard_.wrap, layout.channels, layout.rate, heard_.LoopEnd());
  heard_.wrapPercentile = PercentileAmong(*blocks_, heard_.wrapAbruptness);
  heard_.wrapDipDb = LevelDipAt(heard_.wrap, layout.channels, layout.rate, heard_.LoopEnd());
  heard_.wrapLevel = LevelAround(heard_.wrap, layout.channels, layout.rate, heard_.LoopEnd(), kLevelSeconds);
  meter_.reset();
  blocks_.reset();
  return std::move(heard_);
}
