// How a loop's wrap plays: whether it clicks, its largest second difference against the level around
// it; and where a crossfade is baked into it, whether its level dips where the two sides cancel.
#pragma once

#include <vector>

#include "audio_files/pcm_audio.h"

// The crossfade's two sides as the input holds them, before they were mixed: the last frames of the
// loop part fade out, the frames before the loop's start fade in.
struct CrossfadeSides {
  long frames = 0;
  std::vector<float> out;  // interleaved
  std::vector<float> in;
};

struct WrapFigures {
  // The largest second difference within 32 frames of the wrap, over the RMS level within 2048, of
  // the channel where it is largest:
  double click = 0;         // as the wrap played
  double musicClick = 0;    // where the same music plays on from the introduction into the loop part
  double typicalClick = 0;  // at the playback's typical moment: the median of every 1024th frame's
  bool crossfaded = false;
  // dB the level falls at most below what the two sides give where they neither add nor cancel (each
  // side's power under equal-power gains), in windows of 0.1 s through the crossfade.
  double dipDb = 0;

  // A wrap clicks where it steps more than the music does there and at its typical moment, and more
  // than the lossy coding's own noise.
  bool Clicks() const;
};

// Frames [first, end) of the playback.
struct PlaybackSpan {
  long first;
  long end;
};

// The frames the wrap's figures read: the crossfade, which ends at the loop's end, and the windows
// around it.
PlaybackSpan WrapSpanOf(const PcmAudio& audio, LoopPoints loop, long crossfadeFrames);

// The click figure at every 1024th frame of a playback, gathered as its frames arrive, for the
// playback's typical moment.
class ClickMoments {
 public:
  explicit ClickMoments(int channels);
  // The next count interleaved frames of the playback.
  void Add(const float* samples, long count);
  // The median figure of the moments that are not silent; 0 where all are.
  double Typical() const;

 private:
  const int channels_;
  long position_ = 0;
  std::vector<float> last_;       // each channel's two frames before position_
  std::vector<double> power_;     // each block's, each channel's
  std::vector<double> steepest_;  // each block boundary's largest second difference, each channel's
};

// dB the level of played, the frames of WrapSpanOf's span, falls at most below what the crossfade's
// two sides give where they neither add nor cancel, in windows of 0.1 s.
double LevelDipDb(const PcmAudio& audio, LoopPoints loop, const CrossfadeSides& sides,
                  const std::vector<float>& played);

// Interleaved frames as they played, and where in them a part began.
struct PlayedJoin {
  const std::vector<float>& frames;
  long partStart;
};

// audio: what the parts should play, as the check's ideal; loop: where they lie in it; wrap: the frames
// of WrapSpanOf's span as they played; entry: the introduction's end into the loop part as it played,
// which ends in the music the wrap ends in: the same music through a join of the same coding. A
// single stream has none (empty frames), and its input's frames at the loop's start stand in.
WrapFigures MeasureWrap(const PcmAudio& audio, LoopPoints loop, const CrossfadeSides& sides,
                        const std::vector<float>& wrap, const PlayedJoin& entry, const ClickMoments& moments);
