// Someone who listens to a stream's parts as the engine plays them: told how the parts lie first,
// then handed every frame in the order it plays.
#pragma once

#include <cstddef>

struct PlaybackLayout {
  int channels = 0;
  long rate = 0;
  long introFrames = 0;  // 0 for a single stream
  long loopFrames = 0;   // the loop part's, or the single stream's
};

class PlaybackListener {
 public:
  virtual ~PlaybackListener() = default;
  virtual void Begin(const PlaybackLayout& layout) = 0;
  // pcm: interleaved little-endian 16-bit samples, as RUX_GetProcessFrame delivers them.
  virtual void Hear(const char* pcm, size_t bytes) = 0;
  // The streams that played are kept under their names.
  virtual void Kept() = 0;
};
