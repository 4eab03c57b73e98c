// What the encoder is fed for one part of a looping stream: the part itself, with the audio that plays
// before and after it around it, so that the part is encoded as it plays and not as if silence
// surrounded it.
#pragma once

#include <vector>

#include "audio_files/pcm_audio.h"

// The input's frames [first, first + count).
struct FrameRun {
  long first;
  long count;
};

// How much audio a part is encoded with on either side.
struct PartContext {
  long before = 0;       // ahead of a loop part, wrapping around the loop where it outlasts it
  long after = 0;        // after every part
  long minimumLoop = 0;  // the shortest loop part that takes the context before it
};

struct PartPlan {
  std::vector<FrameRun> runs;  // what the encoder is fed, in order
  long before = 0;             // frames of it ahead of the part, encoded and cut off
  long length = 0;             // frames of the part, which play; what follows is cut off too
};

// The introduction, frames [0, loop.start), followed by what plays after it: the loop.
PartPlan IntroPlan(LoopPoints loop, long inputFrames, const PartContext& context);
// The loop part, preceded by the loop's end (which plays before it from the second pass on) and
// followed by the input past the loop's end where the input goes on, else by the loop's start.
PartPlan LoopPlan(LoopPoints loop, long inputFrames, const PartContext& context);
// The loop part preceded by the introduction from frame introFrom on (which plays before it on the
// first pass), and followed as LoopPlan's.
PartPlan LoopPlanAfterIntro(LoopPoints loop, long inputFrames, const PartContext& context, long introFrom);
