// Joins where nothing repeats as a copy: pairs of beats at the same place in the bar between which the
// game may jump from the loop's end back to its start and the music goes on, the beat in step, the
// harmony and the sound going on. The game's shape first: the longest loop after the introduction and
// before the ending (never in a fade-out, the last chord's ring-out or silence) whose join is no more
// abrupt than the song's typical moment.
#pragma once

#include <vector>

#include "loop_search/beat_features.h"
#include "loop_search/join_measure.h"
#include "loop_search/loop_candidate.h"

class MusicalJoins {
 public:
  // mono: the song, its channels mixed; measure: its join measure, which must outlive the object.
  MusicalJoins(const std::vector<float>& mono, long rate, const JoinMeasure& measure);

  // False for noise, silence and music too short to judge: too few bars.
  bool IsMusic() const;
  // Whether the music has a beat that joins keep in step; music without one is judged on beats of its
  // tempo all the same, by its harmony and its sound.
  bool HasBeat() const;
  // Joins of loops of at least minimumFrames: the game's shape first, then shorter joins that are
  // clearly smoother; at most count.
  std::vector<LoopCandidate> Find(long minimumFrames, size_t count) const;
  // Joins whose points each lie within reach of the given loop's, the smoothest first, the given loop
  // among them as it is; at most count. Never before the song's second frame or past its end.
  std::vector<LoopCandidate> Near(LoopPoints given, long reach, size_t count) const;
  // Whether frame lies on a beat that starts a bar, within the three thirty-seconds of a beat that
  // joins are refined in.
  bool OnDownbeat(long frame) const;
  // How far out of step, in beats from 0 to 0.5, a beat grid fitted to the onsets before the loop's end
  // is with one fitted to those after its start; 0 where the music has no beat.
  double BeatError(LoopPoints loop) const;

 private:
  struct Pair {
    long start;  // beats
    long end;
    double cost;
    double percentile;  // a first guess at the join's
  };

  std::vector<Pair> BodyPairs(long minimumFrames) const;
  double Phase(long first, long end, long origin) const;
  double BeatError(long start, long end) const;
  double BeatDistance(long a, long b) const;
  double Side(long a, long b, long direction) const;
  double Cost(long start, long end) const;
  void FindBody();
  void SkipIntroduction();
  long FadeStart() const;
  LoopCandidate Refined(long startBeat, long endBeat, long lowestStart, long highestStart, long lowestEnd,
                        long highestEnd) const;
  LoopCandidate Measured(LoopPoints loop) const;

  const long frames_;
  const long rate_;
  const JoinMeasure& measure_;
  double periodFrames_ = 0;
  double regularity_ = 0;
  bool tonal_ = false;  // its harmony tells it from noise
  BeatFeatures beats_;
  // The onsets step by step, and at each beat the phase of a beat grid fitted to those before it and to
  // those after it, in beats.
  MusicSteps steps_;
  std::vector<double> phaseBefore_;
  std::vector<double> phaseAfter_;
  double timbreScale_ = 1;  // the median change of sound from one beat to the next
  long bodyStart_ = 0;      // the first beat after the introduction
  long bodyEnd_ = -1;       // the last beat before the ending, which a loop may end on
};
