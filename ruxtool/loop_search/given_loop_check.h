// A loop given by a person or a tag, checked against the music: points a little off from where the
// music repeats, as points given in seconds and cut to frames often are, put where it repeats.
#pragma once

#include <vector>

#include "audio_files/pcm_audio.h"

// The frames either point may move, at most.
constexpr double kLoopPointReachSeconds = 0.05;

// mono: the input, its channels mixed; loop: within it. Where the loop's seam already plays as a copy
// of the music, the loop as given. Otherwise, where the audio around the loop's start is heard again
// at a length within reach of the loop's (the nearest to it of the best), the loop of that length whose
// seam plays where the music repeats, if that seam is clearly better than the given one: the given end
// kept if it can be, else the given start, else both moved, never past the input's end. Otherwise, and
// where nothing repeats near the points, the loop as given.
LoopPoints CheckGivenLoop(const std::vector<float>& mono, long rate, LoopPoints loop);

// Whether the loop's seam lies where the music repeats, lossy coding and all: it plays as a copy of the
// music, or its end sounds as what comes before its start, or its start as what comes after its end,
// so that the wrap plays as the input does.
bool SeamRepeats(const std::vector<float>& mono, long rate, LoopPoints loop);
