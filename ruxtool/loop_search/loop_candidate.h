// A loop the search proposes, and the kind of repeat it was found from.
#pragma once

#include <cmath>

#include "audio_files/pcm_audio.h"
#include "loop_search/join_measure.h"

enum class LoopKind {
  kToTheEnd,          // the music's end plays on into the loop's start, as the introduction's end does
  kRepeatedSection,   // a section of the song written out again
  kMusicalJoin,       // no copy: a jump that carries the music on, in step with the beat and the harmony
};

struct LoopCandidate {
  LoopPoints loop;
  double score = 0;  // 0 to 1: how well the repeat and the seam match
  LoopKind kind = LoopKind::kRepeatedSection;
  JoinFigure join;  // how abrupt the jump from the loop's end back to its start sounds
};

// Whether a loop of longer frames is two or more loops of shorter frames, to a frame or two each:
// twice a loop plays as well as the loop, and comes after it.
inline bool IsWholeNumberOf(long longer, long shorter) {
  const double times = std::round(static_cast<double>(longer) / shorter);
  return times >= 2 && std::abs(longer - times * shorter) <= 2 * times;
}
