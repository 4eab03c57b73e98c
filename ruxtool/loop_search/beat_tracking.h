// The music's beat: its tempo from how the onsets repeat, and the beats placed where the onsets fall
// while keeping that tempo.
#pragma once

#include <vector>

#include "loop_search/music_steps.h"

struct BeatTrack {
  double period = 0;       // steps per beat
  double regularity = 0;   // how strongly the onsets repeat at that period: 0 for noise, up to 1
  std::vector<long> beats;  // steps, in order
};

BeatTrack TrackBeats(const MusicSteps& music);
