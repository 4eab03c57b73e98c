// Loop points known only roughly, as a developer gives them in whole seconds: each moved, within the
// reach given, to where the music joins best.
#pragma once

#include <vector>

#include "audio_files/pcm_audio.h"
#include "loop_search/join_measure.h"

struct MovedJoin {
  LoopPoints loop;
  bool copy = false;        // moved to where the music repeats as a copy
  bool onDownbeat = false;  // the loop starts on a beat that starts a bar
  JoinFigure given;         // the join's figure at the points given
  JoinFigure used;          // and at the points used
  double givenBeatError = 0;  // how far out of step the beat is across the join given, in beats
};

// mono: the song, its channels mixed; given: within it. Where the music repeats as a copy near the
// points, as CheckGivenLoop finds it, the loop of the copy; otherwise the musical join within reach of
// both points that is smoothest, or the points as given where none is smoother.
MovedJoin JoinWithinReach(const std::vector<float>& mono, long rate, LoopPoints given, long reach);
