// A stream's report taken from its playback as it plays: fed by make's check as it plays the streams
// it made, or by the report playing streams made before.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "report/heard_stream.h"
#include "seams/playback_listener.h"

class StreamListening : public PlaybackListener {
 public:
  StreamListening() = default;
  StreamListening(const StreamListening&) = delete;
  StreamListening& operator=(const StreamListening&) = delete;

  void Begin(const PlaybackLayout& layout) override;
  void Hear(const char* pcm, size_t bytes) override;
  void Kept() override { kept_ = true; }

  bool WasKept() const { return kept_; }
  // The frames of the playback it needs, from the start: past the wrap by the wrap's excerpt.
  long FramesWanted() const { return wanted_; }
  // Once the playback has ended: the figures, with a problem where it ended too soon.
  HeardStream Result();

 private:
  void HearFirst(const int16_t* frames, long first, long count);
  static void Take(Excerpt& excerpt, long end, const char* pcm, long first, long count, int channels);

  HeardStream heard_;
  long position_ = 0;
  long wanted_ = 0;
  bool kept_ = false;
  std::unique_ptr<LoudnessMeter> meter_;
  std::unique_ptr<BlockStats> blocks_;
  std::vector<int16_t> samples_;
  std::vector<float> floats_;
  long wrapEnd_ = 0;
  long entryEnd_ = 0;
};
