// How long a crossfade make bakes into a loop when it chooses: none where the loop's seam lies where
// the music repeats, which plays as the input does; otherwise, of lengths from 50 ms to 2 s, the
// shortest that makes the wrap about as smooth as the smoothest of them does.
#pragma once

#include <vector>

#include "audio_files/pcm_audio.h"
#include "loop_search/join_measure.h"

struct CrossfadeLength {
  long frames = 0;
  bool seamRepeats = false;  // no crossfade, as the loop's seam lies where the music repeats
  double excessDb = 0;       // the wrap's, crossfaded over frames
};

// mono: the input's channels mixed, which join measures; loop: within it.
CrossfadeLength ChooseCrossfadeLength(const JoinMeasure& join, const std::vector<float>& mono, long rate,
                                      LoopPoints loop);

// How much more abrupt the wrap crossfaded over frames (0: cut) sounds than the music on either side
// of it does by itself: the most, in dB, by which its log-mel spectrum jumps from one of join's
// windows to the next beyond what the music going out and the music coming in do at the same moment.
double WrapExcessDb(const JoinMeasure& join, const std::vector<float>& mono, long rate, LoopPoints loop, long frames);
