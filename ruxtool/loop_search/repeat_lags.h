// Where music repeats, coarsely: the lags at which a long stretch of the texture matches itself.
#pragma once

#include <cstddef>
#include <vector>

#include "loop_search/music_texture.h"

struct RepeatLag {
  long lag = 0;          // steps between the stretch and its repeat
  long first = 0;        // the stretch's first and last step
  long last = 0;
  double similarity = 0; // the stretch's mean cosine with its repeat, up to 1
};

// Lags of at least minimumLag steps, best first, at most count of them, each a local best among its
// neighbours and similar enough to be a repeat rather than music alike.
std::vector<RepeatLag> FindRepeatLags(const MusicTexture& texture, long minimumLag, size_t count);
