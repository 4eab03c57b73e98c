// What each beat of the music holds, to compare beats when looking for where the music may jump: its
// harmony (chroma), its sound (the mean of its steps' mel bands), its level and its onset; and where
// the bars fall, from where the harmony changes and the onsets are strongest.
#pragma once

#include <vector>

#include "loop_search/beat_tracking.h"
#include "loop_search/chroma.h"
#include "loop_search/harmony_meter.h"
#include "loop_search/music_steps.h"

struct BeatFeatures {
  int bands = 0;
  std::vector<long> frames;    // each beat's first frame in the song
  std::vector<Chroma> chroma;  // less the song's mean chroma, of unit length
  std::vector<float> timbre;   // per beat, bands of dB
  std::vector<float> levels;   // per beat, dB
  std::vector<float> onsets;   // per beat, the onset at its first step
  // The harmony a listener hears go into each beat and come out of it: the chroma of the half second
  // before it and of the half second from it, as they are (not less the mean).
  std::vector<Chroma> harmonyBefore;
  std::vector<Chroma> harmonyAfter;
  HarmonyChanges harmonyChanges;  // the song's own
  double chromaPeak = 0;  // the median of the strongest pitch class of each chroma before centring
  int beatsPerBar = 4;
  int downbeat = 0;  // the first beat that starts a bar, below beatsPerBar
  bool clearBars = false;  // whether the bar lines stand out from the other beats

  long Beats() const { return static_cast<long>(frames.size()); }
  const float* Timbre(long beat) const { return timbre.data() + static_cast<size_t>(beat) * bands; }
  bool StartsBar(long beat) const { return (beat - downbeat) % beatsPerBar == 0; }
  // The change of harmony across a jump from the beat end back to the beat start, as a percentile of
  // the song's own changes: 50 at a typical moment.
  double HarmonyPercentile(long start, long end) const;
};

BeatFeatures DescribeBeats(const std::vector<float>& mono, long rate, const MusicSteps& music, const BeatTrack& track);
