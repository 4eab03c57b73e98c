// What a stream's playback through rux2's exports gives its report: its loudness, its envelope, how
// its wrap sounds, and the excerpts its players play.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "loudness/loudness_meter.h"
#include "report/wrap_measures.h"
#include "seams/playback_listener.h"

// The players' reach either side of the wrap and of the entry into the loop.
constexpr long kExcerptSeconds = 4;

struct HeardStream {
  PlaybackLayout layout;
  std::string problem;  // empty when every frame needed played
  // What the player hears first, the introduction and one pass of the loop, or the single stream: its
  // loudness, and the lowest and highest sample of any channel in each column of its envelope.
  Loudness loudness;
  std::vector<float> envelopeLow;
  std::vector<float> envelopeHigh;
  // The wrap, from the loop's end back to its start.
  double wrapAbruptness = 0;
  double wrapPercentile = 0;  // of the song's moments, the share less abrupt
  double wrapDipDb = 0;
  LevelCurve wrapLevel;  // 3 s either side
  // Up to 4 s either side of the wrap and of the entry from the introduction into the loop; the entry
  // is empty for a single stream.
  Excerpt wrap;
  Excerpt entry;

  long LoopStart() const { return layout.introFrames; }
  long LoopEnd() const { return layout.introFrames + layout.loopFrames; }
  // The playback's frames the players play: up to 4 s before the point, back to the playback's
  // start, and up to 4 s after it, but no more than one pass of the loop.
  long ExcerptFirst(long point) const { return point - std::min(kExcerptSeconds * layout.rate, point); }
  long ExcerptEnd(long point) const { return point + std::min(kExcerptSeconds * layout.rate, layout.loopFrames); }
};
