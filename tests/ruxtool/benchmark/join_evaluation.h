// Figures of a loop's join as a listener would judge it, for the benchmark on real music: the join
// measure's, whether the beat stays in step across it, and whether the harmony goes on; each beside
// the same figures for a jump to random points of the same length and for the song's typical moment.
#pragma once

#include <vector>

#include "audio_files/pcm_audio.h"
#include "loop_search/harmony_meter.h"
#include "loop_search/join_measure.h"
#include "loop_search/music_steps.h"
#include "loop_search/thinned_song.h"

struct JoinJudgement {
  JoinFigure figure;
  double beatError = 0;        // in beats, 0 to 0.5
  double chromaPercentile = 0; // of the song's own moments, the share whose harmony changes less
};

class JoinJudge {
 public:
  // mono must outlive the object.
  JoinJudge(const std::vector<float>& mono, long rate);

  JoinJudgement Judge(LoopPoints loop) const;
  long Frames() const { return frames_; }

 private:
  double BeatPhase(long first, long end, long origin) const;

  const long frames_;
  const long rate_;
  JoinMeasure measure_;
  MusicSteps steps_;
  double period_ = 0;  // steps per beat
  ThinnedSong thinned_;
  HarmonyMeter harmony_;
  HarmonyChanges ownChanges_;
};

double Median(std::vector<double> values);
// The share of pairs (a from lower, b from higher) with a below b, ties counting half: the area under
// the ROC curve of telling the two apart.
double SeparationArea(const std::vector<double>& lower, const std::vector<double>& higher);
