// What each beat of the music holds, to compare beats when looking for where the music may jump: its
// harmony (chroma), its sound (the mean of its steps' mel bands), its level and its onset; and where
// the bars fall, from where the harmony changes and the onsets are strongest.
#pragma once

#include <vector>

#include "loop_search/beat_tracking.h"
#include "loop_search/chroma.h"
#include "loop_search/music_steps.h"

struct BeatFeatures {
  int bands = 0;
  std::vector<long> frames;    // each beat's first frame in the song
  std::vector<Chroma> chroma;  // less the song's mean chroma, of unit length
  std::vector<float> timbre;   // per beat, bands of dB
  std::vector<float> levels;   // per beat, dB
  std::vector<float> onsets;   // per beat, the onset at its first step
  double chromaPeak = 0;  // the median of the strongest pitch class of each chroma before centring
  int beatsPerBar = 4;
  int downbeat = 0;  // the first beat that starts a bar, below beatsPerBar

  long Beats() const { return static_cast<long>(frames.size()); }
  const float* Timbre(long beat) const { return timbre.data() + static_cast<size_t>(beat) * bands; }
  bool StartsBar(long beat) const { return (beat - downbeat) % beatsPerBar == 0; }
};

BeatFeatures DescribeBeats(const std::vector<float>& mono, long rate, const MusicSteps& music, const BeatTrack& track);
